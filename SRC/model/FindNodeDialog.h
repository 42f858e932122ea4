// The find-node prompt: FIND_NODE_DIALOG ("Find Node") asks for the node
// number a table looks for. It opens with the node asked for last time;
// OK refuses an empty field ("Node is required") and text that is not a
// node number, keeping the dialog open with the focus on the field, and
// otherwise keeps the node in g_LastFoundNode and ends with 1; Cancel ends
// with 0.
#pragma once

#include <string>

#include "model/Nodes.h"
#include "platform/Types.h"

// The node asked for last (0 for none yet).
extern NodeId g_LastFoundNode;

INT_PTR FindNodeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the prompt over `owner`: 1 for OK, 0 for Cancel (or when the dialog
// could not be made).
int AskFindNode(HWND owner);
// The text of g_LastFoundNode as the user reads it.
std::string FoundNodeText();
