#ifndef TRAKVIST_FRONTEND_UI_COMMON_MESSAGE_BOX_H_
#define TRAKVIST_FRONTEND_UI_COMMON_MESSAGE_BOX_H_

#include <string_view>

class QWidget;

namespace trakvist {

// Every message of the front end: a box titled "Trakvist" with an OK button.
void ShowMessage(QWidget* parent, std::string_view text);

// A question titled "Trakvist" with Yes and No; true for Yes.
bool AskQuestion(QWidget* parent, std::string_view text);

enum class SaveChoice { kSave, kDiscard, kCancel };

// A question titled "Trakvist" with Save, Discard and Cancel; Escape and
// closing the box answer Cancel.
SaveChoice AskSaveDiscardCancel(QWidget* parent, std::string_view text);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_COMMON_MESSAGE_BOX_H_
