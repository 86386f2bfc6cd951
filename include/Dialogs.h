/*
 * Dialogs.h - the name under which classic sources include the Dialog Manager, with the
 * windows, controls and edit records that dialogs are made of.
 */
#ifndef ZEB_DIALOGS_H
#define ZEB_DIALOGS_H

#include "Controls.h"
#include "MacTypes.h"
#include "MacWindows.h"
#include "TextEdit.h"

#endif /* ZEB_DIALOGS_H */
