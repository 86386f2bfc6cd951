/*
 * Desk.h - the name under which classic sources include the Desk Manager: desk accessories
 * and the events and windows they share with the application.
 */
#ifndef ZEB_DESK_H
#define ZEB_DESK_H

#include "Events.h"
#include "MacTypes.h"
#include "MacWindows.h"

#endif /* ZEB_DESK_H */
