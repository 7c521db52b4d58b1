#include "GameFramework/PlayerController.h"
#include "Camera/PlayerCameraManager.h"
#include "Engine/World.h"

APlayerController::APlayerController()
{
}

void APlayerController::PostInitializeComponents()
{
	Super::PostInitializeComponents();
	if (IsValid(this) && GetWorld())
	{
		SpawnPlayerCameraManager();
	}
}

void APlayerController::SpawnPlayerCameraManager()
{
	FActorSpawnParameters SpawnInfo;
	SpawnInfo.Owner = this;
	PlayerCameraManager = GetWorld()->SpawnActor<APlayerCameraManager>(SpawnInfo);
	if (PlayerCameraManager != nullptr)
	{
		PlayerCameraManager->PCOwner = this;
	}
}
