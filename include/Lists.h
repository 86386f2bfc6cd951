/*
 * Lists.h - the name under which classic sources include the List Manager, with the controls
 * and QuickDraw records that lists are made of.
 */
#ifndef ZEB_LISTS_H
#define ZEB_LISTS_H

#include "Controls.h"
#include "MacTypes.h"
#include "Quickdraw.h"

#endif /* ZEB_LISTS_H */
