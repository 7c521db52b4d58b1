#include "Kismet/GameplayStatics.h"
#include "Engine/World.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"

APlayerController* UGameplayStatics::GetPlayerController(const UObject* WorldContextObject, int32 PlayerIndex)
{
	const UWorld* World = WorldContextObject ? WorldContextObject->GetWorld() : nullptr;
	if (World == nullptr || PlayerIndex < 0)
	{
		return nullptr;
	}
	int32 Index = 0;
	for (AActor* Actor : World->GetActors())
	{
		APlayerController* Controller = Cast<APlayerController>(Actor);
		if (IsValid(Controller) && Index++ == PlayerIndex)
		{
			return Controller;
		}
	}
	return nullptr;
}

APawn* UGameplayStatics::GetPlayerPawn(const UObject* WorldContextObject, int32 PlayerIndex)
{
	APlayerController* Controller = GetPlayerController(WorldContextObject, PlayerIndex);
	return Controller ? Controller->GetPawn() : nullptr;
}
