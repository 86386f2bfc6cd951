/*
 * Icons.h - the Icon Utilities.
 */
#ifndef ZEB_ICONS_H
#define ZEB_ICONS_H

#include "MacTypes.h"

/* ---- Entry points present without their manager's work ----
 * Drawing an icon family through the caller's getter is not provided: PlotIconMethod reports
 * " PLOTICONMETHOD" through DebugStr and returns 0. */
typedef short IconAlignmentType;
typedef short IconTransformType;
typedef Handle(ZEBAPI* IconGetterProcPtr)(ResType theType, void* yourDataPtr);
typedef IconGetterProcPtr IconGetterUPP;
ZEB_EXTERN_C_BEGIN
ZEB_API(OSErr) PlotIconMethod(const Rect* theRect, IconAlignmentType align,
                              IconTransformType transform, IconGetterUPP theMethod,
                              void* yourDataPtr);
ZEB_EXTERN_C_END
/* ---- end of entry points present without their manager's work ---- */

#endif /* ZEB_ICONS_H */
