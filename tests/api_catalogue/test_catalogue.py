"""Building the categories from a header snippet and a metadata snippet, and writing the file."""

import unittest

from api_catalogue import catalogue, headers, metadata, ovcfile

WINUSER = "\n".join([
    "#define MB_OK 0x0", "#define MB_ICONHAND 0x10", "#define MB_TYPEMASK 0xF",
    "#define MB_MISCMASK 0xC000", "#define WM_NULL 0", "#define WM_PAINT 15", "#define WM_SIZE 5",
    "#define SW_HIDE 0", "#define SW_SHOW 5", "#define SW_MAX 11", "#define SWP_RESERVED 0x1",
    "#define XX_ONE 1", "#define XX_TWO 2", "#define NOPREFIX 1",
    "#define _GUARD_H 1", "#define _WIN32_WINNT 0x601", "#define _X_Y 2",
    "typedef enum { PDA_UNAWARE, PDA_AWARE } PDA;",
    "typedef struct tagMSGBOXPARAMSA { UINT style; } MSGBOXPARAMSA;",
    "int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, UINT uType);",
    "int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, UINT uType);",
    "BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);",
    "HRESULT WINAPI SetDpiAwareness(PDA value, PDA *out);",
    "BOOL WINAPI PlayA(UINT fdwSound);",
]) + "\n" + "\n".join("#define ERR_%s_%d %d" % ("AB"[i % 2], i, i) for i in range(400))

ENUMS = {"items": [
    {"name": "MESSAGEBOX_STYLE", "members": [{"name": "MB_ICONHAND"}, {"name": "MB_UNDEFINED"}],
     "autoPopulate": {"filter": "MB_", "header": "WinUser.h"},
     "uses": [{"method": "MessageBoxW", "parameter": "uType"},
              {"method": "MessageBoxA", "parameter": "uType"},
              {"method": "MSGBOXPARAMSA", "parameter": "dwStyle"}]},
    {"name": "SHOW_WINDOW_CMD", "autoPopulate": {"filter": "SW_(?!MAX)", "header": "other.h"},
     "uses": [{"method": "ShowWindow", "parameter": "nCmdShow"},
              {"method": "PlayA", "parameter": "fdwSound"}]},
    {"name": "ERRORS", "autoPopulate": {"filter": "ERR_", "header": "winuser.h"},
     "uses": [{"method": "ShowWindow", "parameter": "hWnd"}]},
]}


class Building(unittest.TestCase):
    def setUp(self):
        self.facts = headers.HeaderFacts()
        headers.read_text(self.facts, "winuser.h", WINUSER)
        self.meta = metadata.Metadata()
        metadata.read_enums(self.meta, ENUMS)
        self.builder = catalogue.Builder(self.meta, self.facts)
        self.functions = self.builder.function_categories()

    def lines(self, category):
        return [line[1] if line[0] == "comment" else line[2]
                for block in self.functions[category] for line in block.lines()]

    def test_function_categories_named_without_a_or_w_only_when_both_exist(self):
        self.assertEqual(sorted(self.functions),
                         ["messagebox", "playa", "setdpiawareness", "showwindow"])

    def test_entries_defined_once_without_masks_and_limits_under_their_parameter(self):
        self.assertEqual(self.lines("messagebox"), ["uType", "MB_ICONHAND", "MB_OK"])
        self.assertEqual(self.lines("setdpiawareness"), ["value", "PDA_UNAWARE", "PDA_AWARE"])

    def test_parameters_in_prototype_order_and_large_groups_named_by_family(self):
        self.assertEqual(self.lines("showwindow"), [
            "hWnd", "400 constants of ERRORS, too many to list here: see the categories err_*",
            "nCmdShow", "SW_HIDE", "SW_SHOW"])

    def test_families_by_prefix_split_when_large_small_ones_left_out(self):
        families = dict(self.builder.families)
        self.assertEqual(sorted(families), ["err_a_", "err_b_", "mb_", "sw_", "wm_"])
        self.assertEqual(families["wm_"], ["WM_NULL", "WM_PAINT", "WM_SIZE"])
        self.assertEqual(len(families["err_a_"]), 200)

    def test_split_parts_too_small_stay_in_the_family(self):
        names = ["BIG_%d" % i for i in range(301)] + ["BIG_X_1", "BIG_X_2", "BIG_Y_1", "BIG_Z_1"]
        names += ["BIG_X_%d" % i for i in range(3, 10)]
        families = dict(catalogue.build_families(names))
        self.assertEqual(sorted(families), ["big_", "big_x_"])
        self.assertEqual(families["big_"][-2:], ["BIG_Y_1", "BIG_Z_1"])

    def test_supplement_first_then_what_it_lacks_in_catalogue_order(self):
        supplement = ovcfile.read_categories(
            "; hand-kept\r\n[showwindow]\r\nSW_SHOW = SW_SHOW\r\nSW_HIDE = SW_HIDE\r\n"
            "[beep]\r\nNOTINHEADERS = NOTINHEADERS\r\n[messagebox]\r\nMB_OK = MB_OK\r\n")
        result = catalogue.catalogue(self.functions, self.builder.families, supplement)
        self.assertEqual([name for name, _ in result][:6], [
            "messagebox", "beep", "playa", "setdpiawareness", "showwindow", "err_a_"])
        merged = dict(result)
        self.assertEqual(merged["showwindow"][2:], [
            ("comment", "hWnd"), merged["showwindow"][3]])
        self.assertEqual(merged["messagebox"], [
            ("entry", "MB_OK", "MB_OK"), ("comment", "uType"),
            ("entry", "MB_ICONHAND", "MB_ICONHAND")])
        self.assertEqual(merged["beep"], [("entry", "NOTINHEADERS", "NOTINHEADERS")])


class Writing(unittest.TestCase):
    def test_header_comment_categories_and_crlf(self):
        text = ovcfile.render(["api.ovc", ""], [("a", [("comment", "p"), ("entry", "K", "K")])])
        self.assertEqual(text, b"; api.ovc\r\n;\r\n\r\n[a]\r\n; p\r\nK = K\r\n")


if __name__ == "__main__":
    unittest.main()
