#ifndef TRAKVIST_FRONTEND_UI_COMMON_OBJECT_NAMES_H_
#define TRAKVIST_FRONTEND_UI_COMMON_OBJECT_NAMES_H_

#include <QString>
#include <string_view>

namespace trakvist {

// Every control's Qt object name is its name in the model (`Startb`,
// `DistList`, ...). A control of an array of like controls, indexed by the
// parameter index, is named after the array, an underscore and its index:
// "Cparam_0" .. "Cparam_15", "UpDown_3", "COption_16".
QString IndexedName(std::string_view array_name, int index);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_OBJECT_NAMES_H_
