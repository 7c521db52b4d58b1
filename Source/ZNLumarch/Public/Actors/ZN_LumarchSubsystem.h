#pragma once

#include "CoreMinimal.h"
#include "Subsystems/WorldSubsystem.h"
#include "UObject/WeakObjectPtrTemplates.h"
#include "ZN_LumarchSubsystem.generated.h"

class AZN_Lumarch;

DECLARE_DYNAMIC_MULTICAST_DELEGATE_OneParam(FOnLumarchRegistered, AZN_Lumarch*, Lumarch);

/**
 * Where game code finds the lighting director of a world: the director that most recently began
 * play registers itself here, held weakly so that a destroyed director simply reads as none.
 */
UCLASS()
class ZNLUMARCH_API UZN_LumarchSubsystem : public UWorldSubsystem
{
	GENERATED_BODY()

public:
	// Fired after each registration; listeners bound later must ask GetDirector.
	UPROPERTY(BlueprintAssignable)
	FOnLumarchRegistered OnLumarchRegistered;

	// The registered director, or null if none is registered or it no longer exists.
	UFUNCTION(BlueprintCallable, BlueprintPure)
	AZN_Lumarch* GetDirector() const;

	// Replaces any earlier director without telling it, then announces the new one.
	void RegisterLumarch(AZN_Lumarch* InLumarch);

	// Only the registered director can unregister; a replaced one leaves its successor alone.
	void UnRegisterLumarch(AZN_Lumarch* InLumarch);

private:
	UPROPERTY(Transient)
	TWeakObjectPtr<AZN_Lumarch> Lumarch;
};
