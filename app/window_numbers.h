// The numbers the tool gives its windows, gadgets, fonts, image, popup menu and file; a gadget's
// number is its control ID. The main window's category box and entry list are the catalogue's
// views: CATEGORY_BOX and ENTRY_LIST of catalogue/catalogue.h.
#pragma once

enum { MAIN_WINDOW = 1, BUTTON_FONT = 1, LIST_FONT = 6, BANNER_IMAGE = 1 };
enum { PASTE_BUTTON = 3, EDIT_BUTTON = 4, INFO_BUTTON = 5, QUIT_BUTTON = 6, COPY_BUTTON = 8 };

// The catalogue editor and the info window, never open at once, share their window and font numbers.
enum { EDITOR_WINDOW = 2, INFO_WINDOW = 2, EDITOR_FONT = 2, INFO_FONT = 2 };
enum { EDITOR_TEXT = 51, SAVE_BUTTON = 52, CANCEL_BUTTON = 53, SEARCH_FIELD = 54, FIND_BUTTON = 55 };
enum { BANNER_BOX = 50, ABOUT_BOX = 51, OK_BUTTON = 52 };
// The editor's Cut, Copy and Paste menu and its items; its catalogue file while it loads or saves.
enum { EDIT_MENU = 1, MENU_CUT = 1, MENU_COPY = 2, MENU_PASTE = 3, CATALOGUE_FILE = 1 };
