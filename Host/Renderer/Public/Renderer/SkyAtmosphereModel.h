// The sky-atmosphere model shared by the fast table-based renderer and its references: one light
// (an atmosphere light: direction and illuminance outside the atmosphere), and the form of the
// multiple-scattering approximation.
#pragma once

#include "CoreMinimal.h"
#include "Renderer/AtmosphereParameters.h"

#include <span>

/** An atmosphere light as the renderer receives it. */
struct FAtmosphereLight
{
	/** Unit vector from the observer towards the light, world space, Z up. */
	FVector3d Direction = FVector3d(0.0, 0.0, 1.0);
	/** Illuminance outside the atmosphere, lux per linear RGB channel (intensity times colour). */
	FVector3d Illuminance = FVector3d(0.0);
	/** Half the apparent angle of the light's disc, radians. */
	double DiscHalfAngleRadians = 0.0;
};

enum class EMultipleScatteringForm
{
	/** As the engine builds its table by default: two directions (up and down), series 1 + f + f^2 + f^3 + f^4. */
	EngineDefault,
	/** As published: many directions, 1 / (1 - f). */
	Paper,
};

/** Luminance (cd/m^2) of a linear Rec.709 colour. */
inline double Luminance(const FVector3d& Rgb)
{
	return 0.2126 * Rgb.X + 0.7152 * Rgb.Y + 0.0722 * Rgb.Z;
}
