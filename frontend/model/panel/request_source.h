#ifndef TRAKVIST_FRONTEND_MODEL_PANEL_REQUEST_SOURCE_H_
#define TRAKVIST_FRONTEND_MODEL_PANEL_REQUEST_SOURCE_H_

namespace trakvist {

// Where the requests of a run come from: the three exclusive choices of the
// parameters panel ("Request Arrival Distribution", "Generate All Requests
// At Time Zero", "Manual Request Entry").
enum class RequestSource { kDistribution, kAllAtTimeZero, kManual };

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PANEL_REQUEST_SOURCE_H_
