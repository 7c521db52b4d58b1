#include "Camera/PlayerCameraManager.h"
#include "Components/SceneComponent.h"

APlayerCameraManager::APlayerCameraManager()
{
	TransformComponent = CreateDefaultSubobject<USceneComponent>(TEXT("TransformComponent0"));
	SetRootComponent(TransformComponent);
}

FVector APlayerCameraManager::GetCameraLocation() const
{
	return GetActorLocation();
}

FRotator APlayerCameraManager::GetCameraRotation() const
{
	return GetActorRotation();
}
