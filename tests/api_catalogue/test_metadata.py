"""The metadata reader on a snippet of enums.json and of the emitter's settings."""

import unittest

from api_catalogue import metadata

ENUMS = {"items": [
    {"name": "MESSAGEBOX_STYLE",
     "members": [{"name": "MB_OK", "value": 0}, {"name": "MB_ICONHAND"}],
     "autoPopulate": {"filter": "MB_", "header": "WinUser.h"},
     "uses": [{"method": "MessageBoxA", "parameter": "uType"},
              {"method": "MessageBoxW", "parameter": "return"},
              {"struct": "MSGBOXPARAMSA", "field": "dwStyle"},
              {"interface": "IFoo", "method": "Bar", "parameter": "flags"}]},
    {"addUsesTo": "SHOW_WINDOW_CMD", "members": [{"name": "SW_SHOW"}],
     "uses": [{"method": "ShowWindow", "parameter": "nCmdShow"}]},
]}

SETTINGS = """--typeImport
IPropertyValue(interface)=<Contract>Windows.Foundation.IPropertyValue
--enumAddition
SHOW_WINDOW_CMD::SW_HIDE=0
--memberRemap
OpenProcess::dwDesiredAccess=PROCESS_ACCESS_RIGHTS
RegQueryValueExA::lpType=REG_VALUE_TYPE*
CoInitializeEx::dwCoInit=[AssociatedEnum("COINIT")]
CoInitializeEx::pvReserved=[Reserved]
RegOpenKeyA::return=WIN32_ERROR
IStream::Seek::dwOrigin=STREAM_SEEK
# a comment
--reducePointerLevel
Other::thing=NOT_A_REMAP
"""


class Reading(unittest.TestCase):
    def setUp(self):
        self.meta = metadata.Metadata()
        metadata.read_enums(self.meta, ENUMS)
        metadata.read_settings(self.meta, SETTINGS)

    def test_groups_with_members_additions_and_auto_populate(self):
        self.assertEqual(self.meta.groups["MESSAGEBOX_STYLE"].members, ["MB_OK", "MB_ICONHAND"])
        self.assertEqual(self.meta.groups["MESSAGEBOX_STYLE"].auto, [("MB_", "WinUser.h")])
        self.assertEqual(self.meta.groups["SHOW_WINDOW_CMD"].members, ["SW_SHOW", "SW_HIDE"])

    def test_function_parameter_uses_from_both_files_in_order(self):
        self.assertEqual(self.meta.uses, [
            ("MessageBoxA", "uType", "MESSAGEBOX_STYLE"),
            ("ShowWindow", "nCmdShow", "SHOW_WINDOW_CMD"),
            ("OpenProcess", "dwDesiredAccess", "PROCESS_ACCESS_RIGHTS"),
            ("RegQueryValueExA", "lpType", "REG_VALUE_TYPE"),
            ("CoInitializeEx", "dwCoInit", "COINIT")])


if __name__ == "__main__":
    unittest.main()
