#include "GameFramework/DefaultPawn.h"
#include "Components/SceneComponent.h"

ADefaultPawn::ADefaultPawn()
{
	CollisionComponent = CreateDefaultSubobject<USceneComponent>(TEXT("CollisionComponent0"));
	CollisionComponent->SetMobility(EComponentMobility::Movable);
	SetRootComponent(CollisionComponent);
}
