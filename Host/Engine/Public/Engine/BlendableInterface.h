// The interface of objects that post-process volumes and components blend into a view.
#pragma once

#include "CoreMinimal.h"

class FSceneView;

/**
 * Derive from this class to be blendable by a post-process volume or component (materials are).
 *
 * Host departure: the engine declares it with UINTERFACE (the reflected UBlendableInterface and this
 * native IBlendableInterface). The host's header tool has no interfaces, so only the native half
 * exists; TScriptInterface finds it on an object with dynamic_cast.
 */
class IBlendableInterface
{
public:
	/**
	 * Adds this object's settings to the view being set up.
	 * @param Weight 0..1, excluding 0; 1 takes the values from this object fully.
	 */
	virtual void OverrideBlendableSettings(FSceneView& View, float Weight) const = 0;

protected:
	virtual ~IBlendableInterface() = default;
};
