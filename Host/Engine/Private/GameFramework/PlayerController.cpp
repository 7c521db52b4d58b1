#include "GameFramework/PlayerController.h"

APlayerController::APlayerController()
{
}
