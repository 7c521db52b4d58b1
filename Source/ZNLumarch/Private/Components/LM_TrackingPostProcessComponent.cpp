#include "Components/LM_TrackingPostProcessComponent.h"

ULM_TrackingPostProcessComponent::ULM_TrackingPostProcessComponent()
{
}
