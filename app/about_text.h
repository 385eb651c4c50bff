// The info window's text: nine lines joined by CR LF, Windows-1252 bytes.
#pragma once

extern const char* const AboutText;
