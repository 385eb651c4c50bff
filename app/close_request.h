// How the running tool answers a close request of its main window, the one a new start sends.
#pragma once

#include <cstdint>

// CLOSE_ANSWER_STAYS (instance.h) while the tool is to ask its user first: its editor holds changes
// not saved, or a question is up. Otherwise CLOSE_ANSWER_ENDS, and a box that only tells and an
// open menu are ended, and no box that only tells is shown any more, so that the tool ends at once.
// Close requests of other windows answer CLOSE_ANSWER_ENDS and change nothing.
std::intptr_t AnswerCloseRequest(int window);
