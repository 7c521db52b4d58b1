// What the engine's camera makes of scene luminance: exposure from the post-process settings, white
// balance, the default filmic tone curve and sRGB encoding.
#pragma once

#include "CoreMinimal.h"

struct FPostProcessSettings;

/** The exposure-related values of the post-process settings in effect (override flags resolved). */
struct FCameraSettings
{
	float MinEV100 = -10.0f;
	float MaxEV100 = 20.0f;
	float ExposureBias = 0.0f;
	float WhiteTemp = 6500.0f;
	float WhiteTint = 0.0f;
};

/** Values of Settings where their override flag is set, the engine's defaults elsewhere. */
FCameraSettings ResolveCameraSettings(const FPostProcessSettings& Settings);

/** EV100 the camera settles on for a scene of this average luminance (cd/m^2). */
double ComputeExposureEV100(const FCameraSettings& Camera, double AverageLuminance);

/** Factor from scene luminance to the tone curve's input for an exposure of EV100 (bias included). */
double ExposureScale(const FCameraSettings& Camera, double EV100);

/** The engine's white balance for WhiteTemp / WhiteTint applied to a linear Rec.709 colour. */
FVector3d ApplyWhiteBalance(const FVector3d& LinearRgb, float WhiteTemp, float WhiteTint);

/** The engine's default filmic tone curve on an exposed linear colour; result 0..1 linear. */
FVector3d ApplyFilmicToneCurve(const FVector3d& ExposedRgb);

/**
 * The same curve as the engine applies it to pixels: baked into a 32^3 table over its log shaper
 * (14 stops around 0.18, grey at 444/1023) and sampled trilinearly. Built once, read from any thread.
 */
FVector3d ApplyFilmicToneCurveBaked(const FVector3d& ExposedRgb);

/** sRGB encoding of a 0..1 linear value to 8 bits. */
uint8 EncodeSRGB8(double Linear);
