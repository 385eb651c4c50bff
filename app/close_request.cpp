#include "app/close_request.h"

#include <windows.h>

#include "app/editor_window.h"
#include "app/instance.h"
#include "app/message_boxes.h"
#include "app/window_numbers.h"

std::intptr_t AnswerCloseRequest(int window) {
    if (window != MAIN_WINDOW) return CLOSE_ANSWER_ENDS;
    if (UserIsAsked() || EditorHoldsChanges()) return CLOSE_ANSWER_STAYS;
    StopTelling();
    EndMenu();
    return CLOSE_ANSWER_ENDS;
}
