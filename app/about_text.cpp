#include "app/about_text.h"

#include "app/version.h"

// "\xA9" is the copyright sign in Windows-1252; the text box shows the bytes as they are.
const char* const AboutText =
    "Orvane - constants for the IDE, \xA9 2006 the Orvane Workshop\r\n"
    "Free to use and to pass on; it comes as it is, without any warranty.\r\n"
    "---------------------------------------------------------------------------\r\n"
    "\r\n"
    "Version " ORVANE_VERSION "\r\n"
    "\r\n"
    "Contact: orvane@example.org\r\n"
    "\r\n"
    "Thank you for using Orvane, and warm greetings to everyone who writes programs with it!";
