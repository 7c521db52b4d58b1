// A component of an actor: registration with the world, play, and its own tick.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "Engine/EngineBaseTypes.h"
#include "Engine/EngineTypes.h"
#include "ActorComponent.generated.h"

class AActor;
class UWorld;

UCLASS(Abstract, BlueprintType)
class ENGINE_API UActorComponent : public UObject
{
	GENERATED_BODY()

public:
	UActorComponent();

	/** Ticks only when bCanEverTick; by default in TG_DuringPhysics, after the actors. */
	FActorComponentTickFunction PrimaryComponentTick;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "Tags")
	TArray<FName> ComponentTags;

	UPROPERTY(EditAnywhere, BlueprintReadOnly, Category = "Activation")
	uint8 bAutoActivate : 1;

	virtual void TickComponent(float DeltaTime, enum ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction);
	virtual void BeginPlay();
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason);
	virtual void InitializeComponent() {}
	virtual void UninitializeComponent() {}

	/** Registers with the owner's world: creates the render state and tick, then OnRegister. */
	void RegisterComponent();
	void UnregisterComponent();
	void RegisterComponentWithWorld(UWorld* InWorld);
	virtual void DestroyComponent(bool bPromoteChildren = false);

	bool IsRegistered() const { return bRegistered; }
	bool HasBeenInitialized() const { return bHasBeenInitialized; }
	bool HasBegunPlay() const { return bHasBegunPlay; }
	bool IsBeingDestroyed() const { return bIsBeingDestroyed; }
	/** A registered component has its render state (it stands in for the renderer's scene proxy). */
	bool IsRenderStateCreated() const { return bRenderStateCreated; }
	void MarkRenderStateDirty();
	/** How often MarkRenderStateDirty was called; the host records instead of rendering. */
	int32 GetRenderStateDirtyCount() const { return RenderStateDirtyCount; }

	virtual void SetComponentTickEnabled(bool bEnabled);
	bool IsComponentTickEnabled() const;
	void SetComponentTickInterval(float TickInterval);

	AActor* GetOwner() const;
	virtual UWorld* GetWorld() const override;
	bool ComponentHasTag(FName Tag) const { return Tag != NAME_None && ComponentTags.Contains(Tag); }
	bool IsOwnerRunningUserConstructionScript() const { return false; }

	virtual void PostInitProperties() override;
	virtual void BeginDestroy() override;

protected:
	virtual void OnRegister();
	virtual void OnUnregister();
	virtual void CreateRenderState_Concurrent(void* Context) { (void)Context; bRenderStateCreated = true; }
	virtual void DestroyRenderState_Concurrent() { bRenderStateCreated = false; }

private:
	void RegisterTickFunction(bool bRegister);

	UWorld* WorldPrivate = nullptr;
	bool bRegistered = false;
	bool bHasBeenInitialized = false;
	bool bHasBegunPlay = false;
	bool bIsBeingDestroyed = false;
	bool bRenderStateCreated = false;
	int32 RenderStateDirtyCount = 0;

	friend class AActor;
	friend class UWorld;
};
