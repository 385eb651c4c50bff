// The tool's message boxes, titled "Message" and owned by one of the tool's windows, which waits
// for the box. A box either tells the user something, or asks a question whose answer decides what
// happens next: a new start of the tool ends a telling box with the tool, but gives way to a
// question.
#pragma once

// Tells the user something until OK (or StopTelling); icon is MB_ICONINFORMATION or MB_ICONWARNING.
void TellUser(int window, const char* text, unsigned icon);

// Asks with the buttons, icon and default button given (MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2,
// ...); the button chosen (IDYES, IDNO, IDCANCEL).
int AskUser(int window, const char* question, unsigned buttons);

// True while a question waits for the user's answer.
bool UserIsAsked();

// The tool is ending: a telling box that is up ends as OK does, once the box's own loop takes its
// next message, and none is shown from now on.
void StopTelling();
