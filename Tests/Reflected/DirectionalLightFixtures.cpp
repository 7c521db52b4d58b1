#include "DirectionalLightFixtures.h"

ADirectionalLightFixtureActor::ADirectionalLightFixtureActor()
{
	Root = CreateDefaultSubobject<USceneComponent>(TEXT("Root"));
	SetRootComponent(Root);
	Light = CreateDefaultSubobject<ULM_DirectionalLightComponent>(TEXT("Light"));
	Light->SetupAttachment(Root);
	LightChild = CreateDefaultSubobject<USceneComponent>(TEXT("LightChild"));
	LightChild->SetupAttachment(Light);
}
