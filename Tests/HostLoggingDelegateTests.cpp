// The host's core services as engine code uses them: the log and ensure reports (read back through
// an output device registered on GLog), native multicast delegates, console variable priorities,
// statically linked modules and FRichCurve evaluation.

#include "Containers/StringConv.h"
#include "Containers/UnrealString.h"
#include "CoreGlobals.h"
#include "Curves/CurveFloat.h"
#include "Curves/RichCurve.h"
#include "Delegates/Delegate.h"
#include "HAL/IConsoleManager.h"
#include "Logging/LogMacros.h"
#include "Misc/AssertionMacros.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Modules/ModuleManager.h"
#include "Templates/SharedPointer.h"
#include "UObject/Object.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "ZN_TimeOfDaySubsystemActor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

DEFINE_LOG_CATEGORY_STATIC(LogHostTest, Log, All);
DECLARE_MULTICAST_DELEGATE_OneParam(FHostTestEvent, int32);
DECLARE_DYNAMIC_MULTICAST_DELEGATE_TwoParams(FHostTestClockEvent, int32, Day, double, DayFraction);

namespace
{
	std::string Utf8(const TCHAR* Text)
	{
		return std::string(TCHAR_TO_UTF8(Text));
	}

	struct FCapturedLine
	{
		std::string Text;
		ELogVerbosity::Type Verbosity;
		std::string Category;
	};

	/** Records every line GLog delivers while it exists, as an engine-side log listener would. */
	class FCaptureDevice : public FOutputDevice
	{
	public:
		FCaptureDevice() { GLog->AddOutputDevice(this); }
		~FCaptureDevice() override { GLog->RemoveOutputDevice(this); }

		void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			Lines.push_back({Utf8(V), Verbosity, Utf8(*Category.ToString())});
		}

		int32 Count(ELogVerbosity::Type Verbosity, const std::string& Category) const
		{
			int32 Result = 0;
			for (const FCapturedLine& Line : Lines)
			{
				Result += Line.Verbosity == Verbosity && Line.Category == Category;
			}
			return Result;
		}

		std::vector<FCapturedLine> Lines;
	};

	struct FSharedListener : public TSharedFromThis<FSharedListener>
	{
		explicit FSharedListener(int32& InCalls) : Calls(InCalls) {}
		void OnEvent() { ++Calls; }
		int32& Calls;
	};

	// One ensure site, so that repeated failures hit the same site.
	bool EnsurePositive(int32 Value)
	{
		return ensureMsgf(Value > 0, TEXT("value was %d"), Value);
	}

	bool EnsureAlwaysPositive(int32 Value)
	{
		return ensureAlwaysMsgf(Value > 0, TEXT("always %d"), Value);
	}
}

// ---------------------------------------------------------------------------------------------
// Logging and asserts

// Engine code relies on ensure returning its condition and on a failing site reporting only once.
TEST(HostLoggingTest, EnsureReportsOncePerCallSiteAndReturnsCondition)
{
	FCaptureDevice Device;

	EXPECT_TRUE(EnsurePositive(3));
	EXPECT_FALSE(EnsurePositive(-1));
	EXPECT_FALSE(EnsurePositive(-2));
	EXPECT_TRUE(EnsurePositive(1));

	ASSERT_EQ(Device.Count(ELogVerbosity::Error, "LogOutputDevice"), 1) << "only the first failure of the site is reported";
	const std::string& Report = Device.Lines[0].Text;
	EXPECT_EQ(Report.rfind("Ensure condition failed: Value > 0 [File:", 0), 0u) << Report;
	EXPECT_NE(Report.find("[Line: "), std::string::npos) << Report;
	EXPECT_NE(Report.find("] \nvalue was -1"), std::string::npos) << "the message of the first failure follows the location: " << Report;

	EXPECT_FALSE(EnsureAlwaysPositive(-5));
	EXPECT_FALSE(EnsureAlwaysPositive(-6));
	EXPECT_EQ(Device.Count(ELogVerbosity::Error, "LogOutputDevice"), 3) << "ensureAlways reports every failure";
}

// UE_LOG lines reach registered devices unprefixed, with their category and verbosity, and a
// category's verbosity filters what is delivered.
TEST(HostLoggingTest, LogLinesReachDevicesWithCategoryAndVerbosity)
{
	FCaptureDevice Device;
	const FString Name(TEXT("Dawn"));

	UE_LOG(LogHostTest, Warning, TEXT("look %s at %.2f (%d keys, %hs)"), *Name, 0.25, 3, "ansi");
	ASSERT_EQ(Device.Lines.size(), 1u);
	EXPECT_EQ(Device.Lines[0].Text, "look Dawn at 0.25 (3 keys, ansi)");
	EXPECT_EQ(Device.Lines[0].Verbosity, ELogVerbosity::Warning);
	EXPECT_EQ(Device.Lines[0].Category, "LogHostTest");

	int32 ConditionEvaluations = 0;
	UE_LOG(LogHostTest, Verbose, TEXT("below the category's verbosity"));
	UE_CLOG(++ConditionEvaluations > 0, LogHostTest, VeryVerbose, TEXT("suppressed"));
	EXPECT_EQ(Device.Lines.size(), 1u) << "Verbose lines are suppressed by a Log category";
	EXPECT_EQ(ConditionEvaluations, 0) << "a suppressed UE_CLOG does not evaluate its condition";

	LogHostTest.SetVerbosity(ELogVerbosity::Verbose);
	UE_LOG(LogHostTest, Verbose, TEXT("now visible"));
	LogHostTest.SetVerbosity(ELogVerbosity::Error);
	UE_LOG(LogHostTest, Warning, TEXT("now hidden"));
	LogHostTest.ResetFromDefault();
	ASSERT_EQ(Device.Lines.size(), 2u);
	EXPECT_EQ(Device.Lines[1].Text, "now visible");

	GLog->RemoveOutputDevice(&Device);
	EXPECT_FALSE(GLog->IsRedirectingTo(&Device));
	UE_LOG(LogHostTest, Log, TEXT("after removal"));
	EXPECT_EQ(Device.Lines.size(), 2u);
}

// check and Fatal lines stop the process after reporting, which code downstream of them relies on.
TEST(HostLoggingDeathTest, CheckAndFatalLogAbortWithTheirMessage)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	const int32 Value = 1;
	EXPECT_DEATH(check(Value == 2), "Assertion failed: Value == 2 \\[File:");
	EXPECT_DEATH(checkf(Value == 2, TEXT("value %d"), Value), "value 1");
	EXPECT_DEATH(UE_LOG(LogHostTest, Fatal, TEXT("stop at %d"), 7), "LogHostTest: Fatal: stop at 7");
}

// ---------------------------------------------------------------------------------------------
// Native multicast delegates

// Bindings run last-added first, and a handle removes exactly its own binding.
TEST(HostDelegateTest, BroadcastRunsInReverseAddOrderAndHandlesRemove)
{
	FHostTestEvent Event;
	std::vector<char> Calls;
	int32 Sum = 0;
	Event.AddLambda([&](int32 V) { Calls.push_back('A'); Sum += V; });
	const FDelegateHandle HandleB = Event.AddLambda([&](int32) { Calls.push_back('B'); });
	Event.AddLambda([&](int32) { Calls.push_back('C'); });
	EXPECT_TRUE(HandleB.IsValid());

	Event.Broadcast(5);
	EXPECT_THAT(Calls, testing::ElementsAre('C', 'B', 'A'));
	EXPECT_EQ(Sum, 5);

	EXPECT_TRUE(Event.Remove(HandleB));
	EXPECT_FALSE(Event.Remove(HandleB)) << "a handle removes one binding once";
	EXPECT_FALSE(Event.Remove(FDelegateHandle())) << "the invalid handle names no binding";
	Calls.clear();
	Event.Broadcast(1);
	EXPECT_THAT(Calls, testing::UnorderedElementsAre('A', 'C'));

	Event.Clear();
	EXPECT_FALSE(Event.IsBound());
}

// A binding removed by another callback is not called later in the same broadcast, one that
// removes itself is safe, and bindings added during a broadcast wait for the next one.
TEST(HostDelegateTest, ChangesDuringBroadcast)
{
	FHostTestEvent Event;
	std::vector<char> Calls;
	FDelegateHandle HandleA;
	FDelegateHandle HandleB;
	bool bAddedD = false;
	HandleA = Event.AddLambda([&](int32) { Calls.push_back('A'); });
	HandleB = Event.AddLambda([&](int32) {
		Calls.push_back('B');
		Event.Remove(HandleB);
	});
	Event.AddLambda([&](int32) {
		Calls.push_back('C');
		Event.Remove(HandleA);
		if (!bAddedD)
		{
			bAddedD = true;
			Event.AddLambda([&](int32) { Calls.push_back('D'); });
		}
	});

	Event.Broadcast(0);
	EXPECT_THAT(Calls, testing::ElementsAre('C', 'B')) << "A was removed by C before its turn; D was added during the broadcast";

	Calls.clear();
	Event.Broadcast(0);
	EXPECT_THAT(Calls, testing::UnorderedElementsAre('C', 'D'));
}

// Weak bindings must stop calling into an object once it is marked as garbage (or, for shared
// pointers, destroyed), without a RemoveAll.
TEST(HostDelegateTest, WeakBindingsSkipDeadObjects)
{
	UCurveFloat* Live = NewObject<UCurveFloat>(GetTransientPackage());
	UCurveFloat* Doomed = NewObject<UCurveFloat>(GetTransientPackage());
	Live->FloatCurve.AddKey(0.f, 1.f);
	Doomed->FloatCurve.AddKey(0.f, 1.f);

	FSimpleMulticastDelegate Event;
	int32 WeakLambdaCalls = 0;
	EXPECT_TRUE(Event.AddUObject(Live, &UCurveFloat::ResetCurve).IsValid());
	EXPECT_TRUE(Event.AddUObject(Doomed, &UCurveFloat::ResetCurve).IsValid());
	Event.AddWeakLambda(Doomed, [&WeakLambdaCalls]() { ++WeakLambdaCalls; });
	EXPECT_TRUE(Event.IsBoundToObject(Doomed));

	Doomed->MarkAsGarbage();
	Event.Broadcast();

	EXPECT_EQ(Live->FloatCurve.GetNumKeys(), 0) << "the live object's method ran";
	EXPECT_EQ(Doomed->FloatCurve.GetNumKeys(), 1) << "the garbage object's method was skipped";
	EXPECT_EQ(WeakLambdaCalls, 0);
	EXPECT_FALSE(Event.IsBoundToObject(Doomed));
	EXPECT_FALSE(Event.AddUObject(Doomed, &UCurveFloat::ResetCurve).IsValid()) << "binding a garbage object adds nothing";

	EXPECT_EQ(Event.RemoveAll(Live), 1);
	EXPECT_FALSE(Event.IsBound());

	int32 SharedCalls = 0;
	TSharedPtr<FSharedListener> Shared = MakeShared<FSharedListener>(SharedCalls);
	Event.AddSP(Shared.ToSharedRef(), &FSharedListener::OnEvent);
	Event.Broadcast();
	Shared.Reset();
	Event.Broadcast();
	EXPECT_EQ(SharedCalls, 1) << "the binding died with its shared object";
}

// Dynamic delegates bind by UFUNCTION name, weakly: engine events such as a controller's
// OnPossessedPawnChanged reach plug-in handlers this way.
TEST(HostDelegateTest, DynamicMulticastBindsByFunctionName)
{
	FCaptureDevice Device;
	AZN_TimeOfDaySubsystemActor* First = NewObject<AZN_TimeOfDaySubsystemActor>(GetTransientPackage());
	AZN_TimeOfDaySubsystemActor* Second = NewObject<AZN_TimeOfDaySubsystemActor>(GetTransientPackage());

	FHostTestClockEvent Event;
	Event.AddDynamic(First, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay);
	Event.AddDynamic(Second, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay);
	EXPECT_TRUE(Event.IsAlreadyBound(First, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay));
	EXPECT_EQ(Device.Count(ELogVerbosity::Error, "LogOutputDevice"), 0) << "both are UFUNCTIONs of live objects";

	Event.Broadcast(3, 0.5);
	EXPECT_EQ(First->GetGameTimeOfDay().Day, 3);
	EXPECT_EQ(Second->GetGameTimeOfDay().DayFraction, 0.5);

	Event.AddUniqueDynamic(First, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay);
	EXPECT_EQ(Event.GetAllObjects().Num(), 2) << "AddUniqueDynamic does not add a binding that exists";
	Event.AddDynamic(First, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay);
	EXPECT_EQ(Event.GetAllObjects().Num(), 3) << "AddDynamic adds a duplicate (after an ensure, reported once per process)";
	EXPECT_LE(Device.Count(ELogVerbosity::Error, "LogOutputDevice"), 1);

	Event.RemoveDynamic(First, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay);
	EXPECT_TRUE(Event.IsAlreadyBound(First, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay)) << "RemoveDynamic removes one binding";
	Event.RemoveDynamic(First, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay);
	EXPECT_FALSE(Event.IsAlreadyBound(First, &AZN_TimeOfDaySubsystemActor::SetGameTimeOfDay));

	Second->MarkAsGarbage();
	Event.Broadcast(5, 0.25);
	EXPECT_EQ(Second->GetGameTimeOfDay().Day, 3) << "a garbage object's binding is skipped";
	EXPECT_EQ(First->GetGameTimeOfDay().Day, 3) << "First is no longer bound";

	Event.Clear();
	EXPECT_FALSE(Event.IsBound());
}

// ---------------------------------------------------------------------------------------------
// Console variables

// A weaker setter must not override a stronger one (and must say so); lookups ignore case.
TEST(HostConsoleVariableTest, SetByPriorityDecidesWhichSetWins)
{
	FCaptureDevice Device;
	int32 Changes = 0;
	{
		TAutoConsoleVariable<int32> CVar(TEXT("host.Test.Priority"), 1, TEXT("Test variable."),
			FConsoleVariableDelegate::CreateLambda([&Changes](IConsoleVariable*) { ++Changes; }));
		IConsoleVariable* Variable = IConsoleManager::Get().FindConsoleVariable(TEXT("HOST.test.priority"));
		ASSERT_EQ(Variable, CVar.AsVariable());

		Variable->Set(2, ECVF_SetByConsole);
		EXPECT_EQ(CVar.GetValueOnGameThread(), 2);
		EXPECT_EQ((uint32)Variable->GetFlags() & ECVF_SetByMask, (uint32)ECVF_SetByConsole);

		Variable->Set(3, ECVF_SetByCode);
		EXPECT_EQ(CVar.GetValueOnGameThread(), 2) << "Code is weaker than Console";
		ASSERT_EQ(Device.Count(ELogVerbosity::Warning, "LogConsoleManager"), 1);
		EXPECT_NE(Device.Lines.back().Text.find("host.Test.Priority"), std::string::npos) << Device.Lines.back().Text;

		Variable->Set(TEXT("4"), ECVF_SetByConsole);
		EXPECT_EQ(CVar.GetValueOnAnyThread(), 4) << "an equal priority may set again";
		EXPECT_EQ(Changes, 2) << "callbacks run for accepted sets only";
		EXPECT_EQ(Utf8(*Variable->GetString()), "4");
	}
	EXPECT_EQ(IConsoleManager::Get().FindConsoleVariable(TEXT("host.Test.Priority")), nullptr) << "gone with its TAutoConsoleVariable";
}

// The typed variables read text and convert between types as the engine's do.
TEST(HostConsoleVariableTest, TypedValuesParseAndConvert)
{
	TAutoConsoleVariable<float> Scale(TEXT("host.Test.Scale"), 1.f, TEXT("Test variable."));
	TAutoConsoleVariable<bool> Enabled(TEXT("host.Test.Enabled"), false, TEXT("Test variable."));

	Scale->Set(TEXT("0.25"));
	EXPECT_FLOAT_EQ(Scale.GetValueOnGameThread(), 0.25f);
	EXPECT_EQ(Scale->GetInt(), 0);
	EXPECT_EQ(Utf8(*Scale->GetString()), "0.25");

	Enabled->Set(TEXT("true"));
	EXPECT_TRUE(Enabled.GetValueOnGameThread());
	Enabled->Set(false);
	EXPECT_FALSE(Enabled.GetValueOnGameThread());
	EXPECT_EQ(Utf8(*Enabled->GetString()), "false");
}

// ---------------------------------------------------------------------------------------------
// Modules

namespace
{
	int32 GHostTestModuleStarts = 0;
	int32 GHostTestModuleStops = 0;

	class FHostTestModule : public IModuleInterface
	{
	public:
		void StartupModule() override { ++GHostTestModuleStarts; }
		void ShutdownModule() override { ++GHostTestModuleStops; }
	};
}

IMPLEMENT_MODULE(FHostTestModule, HostLoggingTestModule)

// A module is started once, on first load, and stopped when unloaded.
TEST(HostModuleTest, LoadStartsOnceAndUnloadStops)
{
	FModuleManager& Modules = FModuleManager::Get();
	IModuleInterface* Module = Modules.LoadModule(TEXT("HostLoggingTestModule"));
	ASSERT_NE(Module, nullptr);
	EXPECT_TRUE(Modules.IsModuleLoaded(TEXT("HostLoggingTestModule")));
	EXPECT_EQ(GHostTestModuleStarts, 1);
	EXPECT_EQ(Modules.LoadModule(TEXT("hostloggingtestmodule")), Module) << "names are case-insensitive, loads are idempotent";
	EXPECT_EQ(GHostTestModuleStarts, 1);
	EXPECT_EQ(FModuleManager::GetModulePtr<FHostTestModule>(TEXT("HostLoggingTestModule")), Module);

	EXPECT_TRUE(Modules.UnloadModule(TEXT("HostLoggingTestModule")));
	EXPECT_EQ(GHostTestModuleStops, 1);
	EXPECT_FALSE(Modules.IsModuleLoaded(TEXT("HostLoggingTestModule")));
	EXPECT_EQ(Modules.LoadModule(TEXT("NoSuchModule")), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Curves

namespace
{
	struct FCurveKeySpec
	{
		float Time;
		float Value;
		ERichCurveInterpMode Interp = RCIM_Linear;
		float Arrive = 0.f;
		float Leave = 0.f;
	};

	struct FCurveEvalCase
	{
		const char* Name;
		std::vector<FCurveKeySpec> Keys;
		ERichCurveExtrapolation Pre;
		ERichCurveExtrapolation Post;
		float DefaultValue;
		float Time;
		float Expected;
	};

	void PrintTo(const FCurveEvalCase& Case, std::ostream* Os) { *Os << Case.Name; }

	FRichCurve MakeCurve(const FCurveEvalCase& Case)
	{
		FRichCurve Curve;
		for (const FCurveKeySpec& Spec : Case.Keys)
		{
			FRichCurveKey Key(Spec.Time, Spec.Value, Spec.Arrive, Spec.Leave, Spec.Interp);
			Key.TangentMode = RCTM_User;
			Curve.Keys.Add(Key);
		}
		Curve.PreInfinityExtrap = Case.Pre;
		Curve.PostInfinityExtrap = Case.Post;
		Curve.DefaultValue = Case.DefaultValue;
		return Curve;
	}

	const std::vector<FCurveKeySpec> Ramp = {{0.f, 0.f}, {2.f, 10.f}};

	const FCurveEvalCase CurveCases[] = {
		{"NoKeysUsesEvalDefault", {}, RCCE_Constant, RCCE_Constant, MAX_flt, 3.f, 7.f},
		{"NoKeysUsesCurveDefault", {}, RCCE_Constant, RCCE_Constant, 5.f, 3.f, 5.f},
		{"SingleKeyHoldsBefore", {{2.f, 4.f}}, RCCE_Linear, RCCE_Linear, MAX_flt, -10.f, 4.f},
		{"SingleKeyHoldsAfter", {{2.f, 4.f}}, RCCE_Linear, RCCE_Linear, 9.f, 10.f, 4.f},
		{"LinearInside", Ramp, RCCE_Constant, RCCE_Constant, MAX_flt, 0.5f, 2.5f},
		{"LinearAtLastKey", Ramp, RCCE_Constant, RCCE_Constant, MAX_flt, 2.f, 10.f},
		{"ConstantBefore", Ramp, RCCE_Constant, RCCE_Constant, MAX_flt, -1.f, 0.f},
		{"ConstantAfter", Ramp, RCCE_Constant, RCCE_Constant, MAX_flt, 5.f, 10.f},
		{"LinearExtrapolationBefore", Ramp, RCCE_Linear, RCCE_Constant, MAX_flt, -1.f, -5.f},
		{"LinearExtrapolationAfter", Ramp, RCCE_Constant, RCCE_Linear, MAX_flt, 4.f, 20.f},
		{"BinarySearchFindsSegment", {{0.f, 0.f}, {1.f, 1.f}, {2.f, 4.f}, {3.f, 9.f}, {4.f, 16.f}}, RCCE_Constant, RCCE_Constant, MAX_flt, 3.75f, 14.25f},
		{"StepHoldsUntilNextKey", {{0.f, 1.f, RCIM_Constant}, {1.f, 2.f, RCIM_Constant}, {2.f, 3.f}}, RCCE_Constant, RCCE_Constant, MAX_flt, 0.99f, 1.f},
		{"StepTakesKeyValueAtKeyTime", {{0.f, 1.f, RCIM_Constant}, {1.f, 2.f, RCIM_Constant}, {2.f, 3.f}}, RCCE_Constant, RCCE_Constant, MAX_flt, 1.f, 2.f},
		{"CubicFlatTangentsEaseIn", {{0.f, 0.f, RCIM_Cubic}, {1.f, 1.f, RCIM_Cubic}}, RCCE_Constant, RCCE_Constant, MAX_flt, 0.25f, 0.15625f},
		{"CubicTangentsShapeTheSegment", {{0.f, 0.f, RCIM_Cubic, 0.f, 3.f}, {1.f, 0.f, RCIM_Cubic, -3.f, 0.f}}, RCCE_Constant, RCCE_Constant, MAX_flt, 0.5f, 0.75f},
		{"CubicTangentsScaleWithSegmentLength", {{0.f, 0.f, RCIM_Cubic, 0.f, 1.f}, {2.f, 2.f, RCIM_Cubic, 1.f, 0.f}}, RCCE_Constant, RCCE_Constant, MAX_flt, 0.5f, 0.5f},
		{"CycleAfter", Ramp, RCCE_Constant, RCCE_Cycle, MAX_flt, 5.f, 5.f},
		{"CycleBefore", Ramp, RCCE_Cycle, RCCE_Constant, MAX_flt, -1.f, 5.f},
		{"CycleWholePeriodLandsOnLastKey", Ramp, RCCE_Constant, RCCE_Cycle, MAX_flt, 4.f, 10.f},
		{"CycleWithOffsetAfter", Ramp, RCCE_Constant, RCCE_CycleWithOffset, MAX_flt, 5.f, 25.f},
		{"CycleWithOffsetBefore", Ramp, RCCE_CycleWithOffset, RCCE_Constant, MAX_flt, -1.f, -5.f},
		{"OscillateAfterMirrors", Ramp, RCCE_Constant, RCCE_Oscillate, MAX_flt, 2.5f, 7.5f},
		{"OscillateBeforeMirrors", Ramp, RCCE_Oscillate, RCCE_Constant, MAX_flt, -0.5f, 2.5f},
	};

	class HostRichCurveEvalTest : public testing::TestWithParam<FCurveEvalCase>
	{
	};
}

// Curve assets drive the look of the day: every interpolation and extrapolation mode must give the engine's values.
TEST_P(HostRichCurveEvalTest, MatchesEngineEvaluation)
{
	const FCurveEvalCase& Case = GetParam();
	const FRichCurve Curve = MakeCurve(Case);
	EXPECT_NEAR(Curve.Eval(Case.Time, 7.f), Case.Expected, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostRichCurveEvalTest, testing::ValuesIn(CurveCases),
	[](const testing::TestParamInfo<FCurveEvalCase>& Info) { return std::string(Info.param.Name); });

// Keys added through the API stay sorted, keep their handles, and get automatic tangents when made cubic.
TEST(HostRichCurveTest, EditingKeepsOrderHandlesAndAutoTangents)
{
	FRichCurve Curve;
	const FKeyHandle Last = Curve.AddKey(2.f, 2.f);
	const FKeyHandle First = Curve.AddKey(0.f, 0.f);
	const FKeyHandle Middle = Curve.UpdateOrAddKey(1.f, 5.f);
	EXPECT_EQ(Curve.UpdateOrAddKey(1.f, 1.f), Middle) << "a key at the same time is updated, not duplicated";
	ASSERT_EQ(Curve.GetNumKeys(), 3);
	EXPECT_EQ(Curve.Keys[0].Time, 0.f);
	EXPECT_EQ(Curve.Keys[2].Time, 2.f);
	EXPECT_EQ(Curve.GetKeyValue(Middle), 1.f);

	for (const FKeyHandle Handle : {First, Middle, Last})
	{
		Curve.SetKeyInterpMode(Handle, RCIM_Cubic);
	}
	// Middle auto tangent = (2 - 0) / (2 - 0) = 1, first leave 0: Bezier 0, 0, 2/3, 1 at one half.
	EXPECT_FLOAT_EQ(Curve.Keys[1].ArriveTangent, 1.f);
	EXPECT_NEAR(Curve.Eval(0.5f), 0.375f, 1e-6f);

	UCurveFloat* Asset = NewObject<UCurveFloat>(GetTransientPackage());
	Asset->FloatCurve = Curve;
	EXPECT_EQ(Asset->GetFloatValue(0.5f), Curve.Eval(0.5f));
	float MinTime = -1.f;
	float MaxTime = -1.f;
	Asset->GetTimeRange(MinTime, MaxTime);
	EXPECT_EQ(MinTime, 0.f);
	EXPECT_EQ(MaxTime, 2.f);

	Curve.DeleteKey(Middle);
	EXPECT_FALSE(Curve.IsKeyHandleValid(Middle));
	EXPECT_EQ(Curve.GetKeyTime(Last), 2.f) << "other keys keep their handles";
}
