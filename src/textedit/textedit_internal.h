// What TextEdit offers the other managers.
#ifndef ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H
#define ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H

namespace zeb::textedit {

// True while TextEdit draws a password field: every character the text conversion produces
// is then shown as '*'.
bool PasswordEchoOn();

}  // namespace zeb::textedit

#endif  // ZEB_TEXTEDIT_TEXTEDIT_INTERNAL_H
