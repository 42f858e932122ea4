// The small exception records of user-input errors. Input that cannot be
// accepted is thrown, never returned: a plain message text (std::string), or
// one of these when the catcher must do more than show the text:
//   CI        - make `column` current (the table cell editor) after the message;
//   MsgCmd    - send `command` to the owning frame after the message;
//   MsgColCmd - both.
// Dialog procedures, the table cell editor and file commands catch them,
// show the message with the error icon (an empty message shows nothing)
// and leave the state as it was.
#pragma once

#include <string>

struct CI {
  std::string message;
  int column = 0;
};

struct MsgCmd {
  std::string message;
  int command = 0;
};

struct MsgColCmd {
  std::string message;
  int column = 0;
  int command = 0;
};
