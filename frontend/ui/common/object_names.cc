#include "frontend/ui/common/object_names.h"

#include "frontend/ui/common/qt_text.h"

namespace trakvist {

QString IndexedName(std::string_view array_name, int index) {
  return ToQString(array_name) + QLatin1Char('_') + QString::number(index);
}

}  // namespace trakvist
