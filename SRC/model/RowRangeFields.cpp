// The range dialogs' row fields (see RowRangeFields.h).
#include "model/RowRangeFields.h"

#include <string>

#include "services/DialogHelper.h"
#include "services/Message.h"
#include "services/NumberText.h"

int ReadFromRowField(DialogHelper& helper, int item, int rowCount) {
  helper.DialogGetItemText(item);
  if (g_EditFieldText.empty()) ThrowRequiredField("From  # ");
  std::int32_t from = 0;
  if (ParseFieldInteger(from) != 0 || from < 1) ThrowInvalidField("From  #");
  if (from > rowCount) throw std::string("From  #  > number of rows");
  return from;
}

int ReadToRowField(DialogHelper& helper, int item, int from, int rowCount, int emptyValue) {
  helper.DialogGetItemText(item);
  std::int32_t to = emptyValue;
  if (g_EditFieldText.empty()) {
    if (emptyValue == 0) ThrowRequiredField("To  # ");
  } else if (ParseFieldInteger(to) != 0 || to < 1) {
    ThrowInvalidField("To  #");
  }
  if (from > to) throw std::string("From  #  > To  #");
  return to > rowCount ? rowCount : to;
}
