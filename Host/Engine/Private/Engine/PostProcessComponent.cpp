// The post-process component's defaults.
#include "Components/PostProcessComponent.h"

UPostProcessComponent::UPostProcessComponent()
{
	bEnabled = true;
	BlendRadius = 100.0f;
	BlendWeight = 1.0f;
	Priority = 0;
	bUnbound = true;
}
