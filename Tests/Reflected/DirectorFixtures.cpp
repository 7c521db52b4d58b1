#include "DirectorFixtures.h"
#include "Components/SceneComponent.h"
#include "Components/LM_TrackingPostProcessComponent.h"
#include "Components/LM_GroundFollowerFogComponent.h"

void ULumarchRegistryListener::HandleLumarchRegistered(AZN_Lumarch* Lumarch)
{
	Received.Add(Lumarch);
}

void UPossessionListener::HandlePossessedPawnChanged(APawn* OldPawn, APawn* NewPawn)
{
	Changes.Add({OldPawn, NewPawn});
}

ATrackingPostProcessFixtureActor::ATrackingPostProcessFixtureActor()
{
	Root = CreateDefaultSubobject<USceneComponent>(TEXT("Root"));
	SetRootComponent(Root);
	Tracking = CreateDefaultSubobject<ULM_TrackingPostProcessComponent>(TEXT("Tracking"));
	Tracking->SetupAttachment(Root);
}

void UTimerListener::OnTimer()
{
	++Calls;
}

ATrackedPawnFixture::ATrackedPawnFixture()
{
	Root = CreateDefaultSubobject<USceneComponent>(TEXT("Root"));
	SetRootComponent(Root);
}

AGroundFogFixtureActor::AGroundFogFixtureActor()
{
	Root = CreateDefaultSubobject<USceneComponent>(TEXT("Root"));
	SetRootComponent(Root);
	Root->SetMobility(EComponentMobility::Movable);
	Fog = CreateDefaultSubobject<ULM_GroundFollowerFogComponent>(TEXT("Fog"));
	Fog->SetupAttachment(Root);
	Fog->SetMobility(EComponentMobility::Movable);
}
