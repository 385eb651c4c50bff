"""The header reader on small snippets: which #defines are numeric, enums, prototypes, structures.
Run with scripts/ on PYTHONPATH (scripts/test-all.sh does)."""

import unittest

from api_catalogue import headers

MACROS = r"""
#define __MSABI_LONG(x) x ## l
#define __MINGW_NAME_AW(func) func##A
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE __MINGW_NAME_AW(MAKEINTRESOURCE)
"""

WINUSER = r"""
/* MB_ style bits */
#define MB_OK __MSABI_LONG(0x00000000)
#define MB_ICONHAND 0x00000010L
#define HWND_TOPMOST ((HWND)-1)
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define WS_POPUP 0x80000000u
#define WS_BOTH (WS_POPUP | \
                 SW_SHOW)
#define OCTAL 0777
#define SIZE sizeof(struct tagPOINT)
#define CLASSNAME "Button"
#define LETTER 'a'
#define FOURCC mmioFOURCC('R','I','F','F')
#define RATIO 1.5f
#define MessageBox __MINGW_NAME_AW(MessageBox)
#define LOOP LOOP
#define UNKNOWN (NOT_DEFINED + 1)
#define SUM(a, b) ((a) + (b))
typedef enum tagSW { SW_HIDE = 0, SW_SHOW = SW_HIDE + 5, SW_MAX } SW, *PSW;
#define AFTER_ENUM 7
typedef struct tagMSGBOXPARAMSA { UINT cbSize; enum { INNER } kind; } MSGBOXPARAMSA, *LPMSGBOXPARAMSA;
WINUSERAPI int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
WINUSERAPI int WINAPI MessageBoxW(HWND hWnd,LPCWSTR lpText,LPCWSTR lpCaption,UINT uType) __attribute__((deprecated));
STDAPI_(BOOL) ShowIt(HWND, SW nCmdShow, const SW *out, int values[4]);
typedef LRESULT (CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);
int (WINAPI *pointer)(SW show);
DECLARE_HANDLE(HWND);
static inline int Wrapper(int x) { return Hidden(x); }
"""


def read(**files):
    facts = headers.HeaderFacts()
    for name in sorted(files):
        headers.read_text(facts, name, files[name])
    return facts


class NumericConstants(unittest.TestCase):
    def test_integer_expressions_through_macros_casts_and_other_headers(self):
        facts = read(**{"_mingw.h": MACROS, "winuser.h": WINUSER})
        for name in ("MB_OK", "MB_ICONHAND", "HWND_TOPMOST", "IDC_ARROW", "WS_POPUP", "WS_BOTH",
                     "OCTAL", "SIZE", "SW_HIDE", "SW_SHOW", "INNER", "AFTER_ENUM"):
            self.assertTrue(facts.is_constant(name), name)
        for name in ("CLASSNAME", "LETTER", "FOURCC", "RATIO", "MessageBox", "LOOP", "UNKNOWN",
                     "SUM", "MAKEINTRESOURCE", "NOT_DEFINED"):
            self.assertFalse(facts.is_constant(name), name)

    def test_constants_in_file_order_with_enum_members_in_place(self):
        facts = read(**{"_mingw.h": MACROS, "WinUser.h": WINUSER})
        self.assertEqual(facts.constants_of("WINUSER.H"), [
            "MB_OK", "MB_ICONHAND", "HWND_TOPMOST", "IDC_ARROW", "WS_POPUP", "WS_BOTH", "OCTAL",
            "SIZE", "SW_HIDE", "SW_SHOW", "SW_MAX", "AFTER_ENUM", "INNER"])
        self.assertEqual(facts.all_constants()[:2], ["MB_OK", "MB_ICONHAND"])

    def test_the_first_definition_of_a_name_counts(self):
        facts = read(**{"a.h": '#define TWICE "text"', "b.h": "#define TWICE 2"})
        self.assertFalse(facts.is_constant("TWICE"))


class Declarations(unittest.TestCase):
    def setUp(self):
        self.facts = read(**{"winuser.h": WINUSER})

    def test_enums_by_tag_and_typedef_name(self):
        for name in ("tagSW", "SW"):
            self.assertEqual(self.facts.enums[name], ["SW_HIDE", "SW_SHOW", "SW_MAX"])
        self.assertNotIn("PSW", self.facts.enums)

    def test_prototype_parameters_with_types_names_and_pointers(self):
        def described(function):
            return [(p.type_name, p.name, p.pointer) for p in self.facts.parameters(function)]

        self.assertEqual(described("MessageBoxW"), [
            ("HWND", "hWnd", False), ("LPCWSTR", "lpText", False),
            ("LPCWSTR", "lpCaption", False), ("UINT", "uType", False)])
        self.assertEqual(described("ShowIt"), [
            ("HWND", None, False), ("SW", "nCmdShow", False), ("SW", "out", True),
            ("int", "values", False)])

    def test_pointers_macro_calls_and_calls_in_bodies_are_no_prototypes(self):
        for name in ("WNDPROC", "pointer", "DECLARE_HANDLE", "Hidden", "tagSW"):
            self.assertIsNone(self.facts.parameters(name), name)

    def test_structures_by_tag_and_typedef_name(self):
        self.assertTrue({"tagMSGBOXPARAMSA", "MSGBOXPARAMSA"} <= self.facts.records)
        self.assertNotIn("LPMSGBOXPARAMSA", self.facts.records)


if __name__ == "__main__":
    unittest.main()
