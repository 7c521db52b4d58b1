#include "Misc/CoreDelegates.h"

FSimpleMulticastDelegate FCoreDelegates::OnBeginFrame;
