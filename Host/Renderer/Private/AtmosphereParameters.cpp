#include "Renderer/AtmosphereParameters.h"
#include "Components/SkyAtmosphereComponent.h"
#include "UObject/UObjectGlobals.h"

namespace
{
	FVector3d ToVector(const FLinearColor& Color)
	{
		return FVector3d(Color.R, Color.G, Color.B);
	}
}

FAtmosphereParameters MakeAtmosphereParameters(const USkyAtmosphereComponent& Component)
{
	FAtmosphereParameters Result;
	Result.BottomRadiusKm = Component.BottomRadius;
	Result.TopRadiusKm = static_cast<double>(Component.BottomRadius) + Component.AtmosphereHeight;
	Result.RayleighScattering = ToVector(Component.RayleighScattering) * static_cast<double>(Component.RayleighScatteringScale);
	Result.RayleighDensityExpScale = -1.0 / Component.RayleighExponentialDistribution;
	Result.MieScattering = ToVector(Component.MieScattering) * static_cast<double>(Component.MieScatteringScale);
	Result.MieAbsorption = ToVector(Component.MieAbsorption) * static_cast<double>(Component.MieAbsorptionScale);
	Result.MieDensityExpScale = -1.0 / Component.MieExponentialDistribution;
	Result.MieAnisotropy = Component.MieAnisotropy;
	Result.OtherAbsorption = ToVector(Component.OtherAbsorption) * static_cast<double>(Component.OtherAbsorptionScale);
	Result.GroundAlbedo = ToVector(FLinearColor(Component.GroundAlbedo));
	Result.MultiScatteringFactor = Component.MultiScatteringFactor;
	Result.SkyLuminanceFactor = ToVector(Component.SkyLuminanceFactor);
	Result.SkyAndAerialPerspectiveLuminanceFactor = ToVector(Component.SkyAndAerialPerspectiveLuminanceFactor);
	return Result;
}

FAtmosphereParameters MakeEarthAtmosphere()
{
	// A fresh component holds the engine's constructor defaults.
	const USkyAtmosphereComponent* Defaults = NewObject<USkyAtmosphereComponent>();
	return MakeAtmosphereParameters(*Defaults);
}
