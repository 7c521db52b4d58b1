// Post-process settings and the weighted blendables (post-process materials) they carry.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectMacros.h"
#include "UObject/ScriptInterface.h"
#include "Engine/BlendableInterface.h"
#include "Scene.generated.h"

/** Used by FPostProcessSettings Auto Exposure */
UENUM()
enum EAutoExposureMethod : int
{
	/** requires compute shader to construct 64 bin histogram */
	AEM_Histogram UMETA(DisplayName = "Auto Exposure Histogram"),
	/** faster method that computes single value by downsampling */
	AEM_Basic UMETA(DisplayName = "Auto Exposure Basic"),
	/** Uses camera settings. */
	AEM_Manual UMETA(DisplayName = "Manual"),
	AEM_MAX,
};

/** A blendable object (a post-process material) with the weight it is blended with. */
USTRUCT(BlueprintType)
struct FWeightedBlendable
{
	GENERATED_BODY()

	/** 0:no effect .. 1:full effect */
	UPROPERTY(Interp, BlueprintReadWrite, Category = FWeightedBlendable, meta = (ClampMin = "0.0", ClampMax = "1.0", Delta = "0.01"))
	float Weight;

	/** should be of the IBlendableInterface* type but UProperties cannot express that */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = FWeightedBlendable, meta = (AllowedClasses = "/Script/Engine.BlendableInterface", Keywords = "PostProcess"))
	TObjectPtr<UObject> Object;

	FWeightedBlendable()
		: Weight(-1), Object(nullptr)
	{
	}
	FWeightedBlendable(float InWeight, UObject* InObject)
		: Weight(InWeight), Object(InObject)
	{
	}
};

/** for easier detail customization, needed? */
USTRUCT(BlueprintType)
struct FWeightedBlendables
{
	GENERATED_BODY()

	FWeightedBlendables() {}
	FWeightedBlendables(const TArray<FWeightedBlendable>& InArray)
		: Array(InArray)
	{
	}

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "PostProcessSettings", meta = (Keywords = "PostProcess"))
	TArray<FWeightedBlendable> Array;
};

/**
 * To be able to use struct PostProcessSettings.
 * Each property consists of a bool to enable it (by default off), the variable declaration and, in
 * the constructor, its default value.
 *
 * Host departures: the engine's settings have some four hundred members (colour grading per range,
 * film, lens flares, ambient occlusion, global illumination, reflections, path tracing...); the host
 * keeps the white balance, global colour grading, bloom, exposure, vignette and depth-of-field
 * members. The engine reads two defaults from project settings: the auto-exposure range from
 * r.DefaultFeature.AutoExposure.ExtendDefaultLuminanceRange (1 in new projects: EV100 -10..20,
 * else 0.03..8 cd/m2) and AutoExposureBias from r.DefaultFeature.AutoExposure.Bias (1.0 by
 * default); the host uses those new-project values.
 */
USTRUCT(BlueprintType, meta = (HiddenByDefault))
struct FPostProcessSettings
{
	GENERATED_BODY()

	// first all bOverride_... as they get grouped together into bitfields

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_WhiteTemp : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_WhiteTint : 1 = 0;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_ColorSaturation : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_ColorContrast : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_ColorGamma : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_ColorGain : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_ColorOffset : 1 = 0;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_SceneColorTint : 1 = 0;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_BloomIntensity : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_BloomThreshold : 1 = 0;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_AutoExposureMethod : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_AutoExposureMinBrightness : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_AutoExposureMaxBrightness : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_AutoExposureSpeedUp : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_AutoExposureSpeedDown : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_AutoExposureBias : 1 = 0;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_VignetteIntensity : 1 = 0;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_DepthOfFieldFocalDistance : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_DepthOfFieldFstop : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_DepthOfFieldMinFstop : 1 = 0;
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = Overrides, meta = (PinHiddenByDefault, InlineEditConditionToggle))
	uint8 bOverride_DepthOfFieldSensorWidth : 1 = 0;

	// -----------------------------------------------------------------------

	/** Luminance computation method */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Lens|Exposure", meta = (EditCondition = "bOverride_AutoExposureMethod", DisplayName = "Metering Mode"))
	TEnumAsByte<EAutoExposureMethod> AutoExposureMethod;

	/** White temperature, in Kelvin */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Color Grading|Temperature", meta = (UIMin = "1500.0", UIMax = "15000.0", EditCondition = "bOverride_WhiteTemp", DisplayName = "Temp"))
	float WhiteTemp;
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Color Grading|Temperature", meta = (UIMin = "-1.0", UIMax = "1.0", EditCondition = "bOverride_WhiteTint", DisplayName = "Tint"))
	float WhiteTint;

	// Color Correction controls
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Color Grading|Global", meta = (UIMin = "0.0", UIMax = "2.0", Delta = "0.01", ColorGradingMode = "saturation", EditCondition = "bOverride_ColorSaturation", DisplayName = "Saturation"))
	FVector4 ColorSaturation;
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Color Grading|Global", meta = (UIMin = "0.0", UIMax = "2.0", Delta = "0.01", ColorGradingMode = "contrast", EditCondition = "bOverride_ColorContrast", DisplayName = "Contrast"))
	FVector4 ColorContrast;
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Color Grading|Global", meta = (UIMin = "0.0", UIMax = "2.0", Delta = "0.01", ColorGradingMode = "gamma", EditCondition = "bOverride_ColorGamma", DisplayName = "Gamma"))
	FVector4 ColorGamma;
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Color Grading|Global", meta = (UIMin = "0.0", UIMax = "2.0", Delta = "0.01", ColorGradingMode = "gain", EditCondition = "bOverride_ColorGain", DisplayName = "Gain"))
	FVector4 ColorGain;
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Color Grading|Global", meta = (UIMin = "-1.0", UIMax = "1.0", Delta = "0.001", ColorGradingMode = "offset", EditCondition = "bOverride_ColorOffset", DisplayName = "Offset"))
	FVector4 ColorOffset;

	/** Scene tint color */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Color Grading|Misc", meta = (EditCondition = "bOverride_SceneColorTint", HideAlphaChannel))
	FLinearColor SceneColorTint;

	/** Multiplier for all bloom contributions >=0: off, 1(default), >1 brighter */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Bloom", meta = (ClampMin = "0.0", UIMax = "8.0", EditCondition = "bOverride_BloomIntensity", DisplayName = "Intensity"))
	float BloomIntensity;

	/**
	 * minimum brightness the bloom starts having effect
	 * -1:all pixels affect bloom equally (physically correct, faster as a threshold pass is omitted), 0:all pixels affect bloom brights more, 1(default), >1 brighter
	 */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Bloom", meta = (ClampMin = "-1.0", UIMax = "8.0", EditCondition = "bOverride_BloomThreshold", DisplayName = "Threshold"))
	float BloomThreshold;

	/**
	 * Auto-Exposure minimum adaptation, in EV100 (new-project setting): eye adaptation never goes below
	 * it. Min == Max disables eye adaptation.
	 */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Exposure", meta = (ClampMin = "-10.0", UIMax = "20.0", EditCondition = "bOverride_AutoExposureMinBrightness", DisplayName = "Min EV100"))
	float AutoExposureMinBrightness;

	/** Auto-Exposure maximum adaptation, in EV100 (new-project setting). Min == Max disables eye adaptation. */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Exposure", meta = (ClampMin = "-10.0", UIMax = "20.0", EditCondition = "bOverride_AutoExposureMaxBrightness", DisplayName = "Max EV100"))
	float AutoExposureMaxBrightness;

	/** In F-stops per second, should be >0 */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Exposure", meta = (ClampMin = "0.02", UIMax = "20.0", EditCondition = "bOverride_AutoExposureSpeedUp", DisplayName = "Speed Up"))
	float AutoExposureSpeedUp;

	/** In F-stops per second, should be >0 */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Exposure", meta = (ClampMin = "0.02", UIMax = "20.0", EditCondition = "bOverride_AutoExposureSpeedDown", DisplayName = "Speed Down"))
	float AutoExposureSpeedDown;

	/**
	 * Logarithmic adjustment for the exposure. 0: no adjustment, -1:2x darker, -2:4x darker, 1:2x brighter, 2:4x brighter, ...
	 * Defaults to 1, the project default of r.DefaultFeature.AutoExposure.Bias.
	 */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Exposure", meta = (UIMin = "-15.0", UIMax = "15.0", EditCondition = "bOverride_AutoExposureBias", DisplayName = "Exposure Compensation"))
	float AutoExposureBias;

	/** 0..1 0=off/no vignette .. 1=strong vignette */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Image Effects", meta = (UIMin = "0.0", UIMax = "1.0", EditCondition = "bOverride_VignetteIntensity"))
	float VignetteIntensity;

	/** Distance in which the Depth of Field effect should be sharp, in unreal units (cm); 0 turns depth of field off */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Depth of Field", meta = (ClampMin = "0.0", UIMin = "1.0", UIMax = "10000.0", EditCondition = "bOverride_DepthOfFieldFocalDistance", DisplayName = "Focal Distance"))
	float DepthOfFieldFocalDistance;

	/** Defines the opening of the camera lens, Aperture is 1/fstop, typical lens go down to f/1.2 (large opening), larger numbers reduce the DOF effect */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Camera", meta = (ClampMin = "1.0", ClampMax = "32.0", EditCondition = "bOverride_DepthOfFieldFstop", DisplayName = "Aperture (F-stop)"))
	float DepthOfFieldFstop;

	/** Defines the maximum opening of the camera lens to control the curvature of blades of the diaphragm. Set it to 0 to get straight blades. */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Camera", meta = (ClampMin = "0.0", ClampMax = "32.0", EditCondition = "bOverride_DepthOfFieldMinFstop", DisplayName = "Maximum Aperture (min F-stop)"))
	float DepthOfFieldMinFstop;

	/** Width of the camera sensor to assume, in mm. */
	UPROPERTY(Interp, BlueprintReadWrite, Category = "Lens|Depth of Field", meta = (ClampMin = "0.1", UIMin = "0.1", UIMax = "1000.0", EditCondition = "bOverride_DepthOfFieldSensorWidth", DisplayName = "Sensor Width (mm)"))
	float DepthOfFieldSensorWidth;

	/** List of all used Blendables (e.g. post-process materials), each with a weight. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Rendering Features", meta = (Keywords = "PostProcess", DisplayName = "Post Process Materials"))
	FWeightedBlendables WeightedBlendables;

	/** Every bOverride_ flag off; each value at its engine default. */
	ENGINE_API FPostProcessSettings();

	/**
	 * Adds an Blendable (implements IBlendableInterface) to the array of Blendables (if it doesn't
	 * exist) and update the weight. A null object is ignored; an object already listed has the weight
	 * of its first entry updated; otherwise it is appended.
	 * @param InBlendableObject silently ignores if no object is referenced
	 * @param 0..1 InWeight, values outside of the range get clampled later in the pipeline
	 */
	ENGINE_API void AddBlendable(TScriptInterface<IBlendableInterface> InBlendableObject, float InWeight);

	/** Removes one or multiple blendables (every entry whose object is this one). */
	ENGINE_API void RemoveBlendable(TScriptInterface<IBlendableInterface> InBlendableObject);
};
