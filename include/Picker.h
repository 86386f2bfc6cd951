/*
 * Picker.h - the Color Picker's conversions between RGB and hue, saturation and value.
 */
#ifndef ZEB_PICKER_H
#define ZEB_PICKER_H

#include "MacTypes.h"

/* A fraction 0..65535 of the full range; hue is a fraction of the colour circle, red at 0. */
typedef unsigned short SmallFract;

typedef struct HSVColor {
  SmallFract hue;
  SmallFract saturation;
  SmallFract value;
} HSVColor;

ZEB_EXTERN_C_BEGIN
ZEB_API(void) RGB2HSV(const RGBColor* rColor, HSVColor* hColor);
ZEB_API(void) HSV2RGB(const HSVColor* hColor, RGBColor* rColor);
/* Windows' colour dialog titled with prompt, starting at inColor; true with outColor set when
 * the user chooses OK, false (outColor unchanged) when cancelled. where is not used. */
ZEB_API(Boolean) GetColor(Point where, ConstStr255Param prompt, const RGBColor* inColor,
                          RGBColor* outColor);
ZEB_EXTERN_C_END

#endif /* ZEB_PICKER_H */
