// Post-process settings: engine defaults and the list of weighted blendables.
#include "Engine/Scene.h"

FPostProcessSettings::FPostProcessSettings()
{
	// Every bOverride_ flag is zero from its declaration, as the engine's Memzero leaves them.
	AutoExposureMethod = AEM_Histogram;

	WhiteTemp = 6500.0f;
	WhiteTint = 0.0f;

	ColorSaturation = FVector4(1.0f, 1.0f, 1.0f, 1.0f);
	ColorContrast = FVector4(1.0f, 1.0f, 1.0f, 1.0f);
	ColorGamma = FVector4(1.0f, 1.0f, 1.0f, 1.0f);
	ColorGain = FVector4(1.0f, 1.0f, 1.0f, 1.0f);
	ColorOffset = FVector4(0.0f, 0.0f, 0.0f, 0.0f);
	SceneColorTint = FLinearColor(1, 1, 1);

	BloomIntensity = 0.675f;
	BloomThreshold = -1.0f;

	// The extended (EV100) luminance range and the exposure bias of a new project.
	AutoExposureMinBrightness = -10.0f;
	AutoExposureMaxBrightness = 20.0f;
	AutoExposureSpeedUp = 3.0f;
	AutoExposureSpeedDown = 1.0f;
	AutoExposureBias = 1.0f;

	VignetteIntensity = 0.4f;

	DepthOfFieldFocalDistance = 0; // Intentionally invalid to disable DOF by default.
	DepthOfFieldFstop = 4.0f;
	DepthOfFieldMinFstop = 1.2f;
	DepthOfFieldSensorWidth = 24.576f; // APS-C
}

void FPostProcessSettings::AddBlendable(TScriptInterface<IBlendableInterface> InBlendableObject, float InWeight)
{
	UObject* Object = InBlendableObject.GetObject();
	if (!Object)
	{
		return;
	}
	for (FWeightedBlendable& Blendable : WeightedBlendables.Array)
	{
		if (Blendable.Object == Object)
		{
			// Only the first entry is updated: an object is expected to be listed once.
			Blendable.Weight = InWeight;
			return;
		}
	}
	WeightedBlendables.Array.Add(FWeightedBlendable(InWeight, Object));
}

void FPostProcessSettings::RemoveBlendable(TScriptInterface<IBlendableInterface> InBlendableObject)
{
	if (UObject* Object = InBlendableObject.GetObject())
	{
		WeightedBlendables.Array.RemoveAll([Object](const FWeightedBlendable& Blendable) { return Blendable.Object == Object; });
	}
}
