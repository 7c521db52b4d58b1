#include "SkySphereFixtures.h"

ASkySphereFixtureActor::ASkySphereFixtureActor()
{
	Root = CreateDefaultSubobject<USceneComponent>(TEXT("Root"));
	SetRootComponent(Root);
	Sky = CreateDefaultSubobject<ULM_SkySphereComponent>(TEXT("Sky"));
	Sky->SetupAttachment(Root);
	Celestial = CreateDefaultSubobject<ULM_CelestialRotationComponent>(TEXT("Celestial"));
}
