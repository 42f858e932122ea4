// The shape of a field rule, the judges several kinds share and the texts
// of a refusal; see the header.
#include "records/FieldRules.h"

#include <cstdio>

#include "services/Message.h"
#include "services/NumberFormat.h"
#include "services/NumberText.h"

FieldRefusal LoadTemperatureRefusal(float value) {
  if (value < kLowestLoadTemperature) return {"below absolute zero, -460 F"};
  return {};
}

FieldRefusal NotNegativeRefusal(float value) {
  if (value < 0.0f) return {"below 0"};
  return {};
}

bool StoredValueKept(float value) { return StoredValueAcceptable(value); }

std::string StoredValueFaultText(const std::string& where, const char* name, float value) {
  // As the model reader writes a value out of range: a two-digit exponent.
  char text[32];
  std::snprintf(text, sizeof text, "%.4G", static_cast<double>(value));
  return where + ": the " + name + " " + text + " is out of range (" + kStoredValueRange + ")";
}

void ThrowFieldRefusal(const FieldRefusal& refusal, const std::string& label) {
  switch (refusal.show) {
    case RefusalShow::kInvalid: ThrowInvalidField(label);
    case RefusalShow::kReason: ThrowFieldError(label, refusal.why);
    case RefusalShow::kMessage: break;
  }
  throw std::string(refusal.why);
}

std::string FieldFaultText(const std::string& where, const FieldFault& fault) {
  return where + ": the " + fault.name + " " + CFormat("%.4G", static_cast<double>(fault.value)) + " is invalid (" +
         fault.refusal.why + ")";
}
