#ifndef TRAKVIST_FRONTEND_MODEL_PARAM_RANGE_H_
#define TRAKVIST_FRONTEND_MODEL_PARAM_RANGE_H_

#include <string_view>

namespace trakvist {

// One parameter's values in a sweep: From, From + Step, ... up to To
// (inclusive), by repeated addition. A single value v is (v, 1, v).
struct ParamRange {
  double From = 0.0;
  double Step = 1.0;
  double To = 0.0;
};

// Parses a field text: one number, or "from,step,to". Missing or malformed
// numbers read as 0 by the leading-number rule; a zero step becomes +1 or -1.
ParamRange ParseParamRange(std::string_view text);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PARAM_RANGE_H_
