// The plain trace reader, through the whole conversion (see trace_fuzz.h).
#include "fuzz/trace_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzTrace(trakvist::TraceFormat::kPlain, data, size);
  return 0;
}
