// Tests of the host's core types: names, strings, containers, math and colour.

#include "CoreMinimal.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
	std::string Narrow(const FString& S)
	{
		return S.ToStdString();
	}

	// Reference sRGB encoding the naive way (what ToFColorSRGB must not be mistaken for).
	double LinearToSRGB(double C)
	{
		return C <= 0.0031308 ? C * 12.92 : 1.055 * std::pow(C, 1.0 / 2.4) - 0.055;
	}
}

// ------------------------------------------------------------------------------------------------
// FName
// ------------------------------------------------------------------------------------------------

TEST(HostName, EqualityIgnoresCaseAndKeepsEachSpelling)
{
	// Names compare and hash without case but print as each was written, as editor builds keep them.
	const FName First(TEXT("HostCoreTest_Dusk"));
	const FName Second("hostcoretest_DUSK");
	EXPECT_EQ(First, Second);
	EXPECT_TRUE(First == TEXT("HOSTCORETEST_dusk"));
	EXPECT_TRUE(Second.ToString().Equals(TEXT("hostcoretest_DUSK"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(First.ToString().Equals(TEXT("HostCoreTest_Dusk"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(FName(TEXT("HOSTCORETEST_DUSK_7")).ToString().Equals(TEXT("HOSTCORETEST_DUSK_7"), ESearchCase::CaseSensitive));
	EXPECT_EQ(First.GetComparisonIndex(), Second.GetComparisonIndex());
	EXPECT_NE(First.GetDisplayIndex(), Second.GetDisplayIndex());
	EXPECT_EQ(Second.GetDisplayIndex(), FName(TEXT("hostcoretest_DUSK")).GetDisplayIndex()) << "one entry per spelling";
	EXPECT_TRUE(First.IsEqual(Second, ENameCase::IgnoreCase));
	EXPECT_FALSE(First.IsEqual(Second, ENameCase::CaseSensitive));
	EXPECT_EQ(GetTypeHash(First), GetTypeHash(Second)) << "equal names must hash alike";
	EXPECT_EQ(FName(TEXT("NONE")), NAME_None);
	EXPECT_EQ(FName(TEXT("NONE")).ToString(), FString(TEXT("None")));
}

TEST(HostName, NumberSuffixIsSplitOffAsTheEngineDoes)
{
	// "X_3" is stored as base X with internal number 4, but "X_03" keeps its text (no leading zeros).
	const FName Three(TEXT("HostBox_3"));
	EXPECT_EQ(Three.GetNumber(), 4);
	EXPECT_EQ(Three.GetPlainNameString(), FString(TEXT("HostBox")));
	EXPECT_EQ(Three.ToString(), FString(TEXT("HostBox_3")));
	EXPECT_EQ(Three, FName(TEXT("HostBox"), 4)) << "FName(text, number) takes the internal number";
	EXPECT_EQ(Three, FName(FName(TEXT("HostBox")), 4));
	EXPECT_NE(Three, FName(TEXT("HostBox_4")));
	EXPECT_NE(Three, FName(TEXT("HostBox")));

	const FName Zero(TEXT("HostBox_0"));
	EXPECT_EQ(Zero.GetNumber(), 1) << "a lone 0 is a valid suffix";
	EXPECT_EQ(Zero.ToString(), FString(TEXT("HostBox_0")));

	const FName LeadingZero(TEXT("HostBox_03"));
	EXPECT_EQ(LeadingZero.GetNumber(), 0);
	EXPECT_EQ(LeadingZero.ToString(), FString(TEXT("HostBox_03")));
	EXPECT_NE(LeadingZero, Three);

	const FName NoUnderscore(TEXT("HostBox3"));
	EXPECT_EQ(NoUnderscore.GetNumber(), 0);

	const FName TooBig(TEXT("HostBox_99999999999"));
	EXPECT_EQ(TooBig.GetNumber(), 0) << "suffixes that do not fit in int32 stay text";
	EXPECT_EQ(TooBig.ToString(), FString(TEXT("HostBox_99999999999")));
}

TEST(HostName, AllSpellingsOfNoneAreNone)
{
	// Code tests names against NAME_None; every way of writing "no name" must land there.
	EXPECT_TRUE(FName().IsNone());
	EXPECT_TRUE(FName(NAME_None).IsNone());
	EXPECT_TRUE(FName(TEXT("")).IsNone());
	EXPECT_TRUE(FName("").IsNone());
	EXPECT_TRUE(FName("None").IsNone());
	EXPECT_TRUE(FName(TEXT("nOnE")).IsNone());
	EXPECT_TRUE(FName(static_cast<const TCHAR*>(nullptr)).IsNone());
	EXPECT_EQ(FName(TEXT("None")), NAME_None);
	EXPECT_EQ(FName(), FName(NAME_None));
	EXPECT_TRUE(FName() == TEXT(""));
	EXPECT_FALSE(FName(TEXT("None_1")).IsNone()) << "a numbered None is not None";
	EXPECT_EQ(FName(TEXT("None_1")).ToString(), FString(TEXT("None_1")));
	EXPECT_EQ(FName().ToString(), FString(TEXT("None")));
}

TEST(HostName, FindDoesNotAddAndTextComparisonDoesNotIntern)
{
	// Comparing with text or looking a name up must not grow the global table.
	const FName Day(TEXT("HostDay"));
	const uint32 SizeBefore = UE::Core::Private::GetNameTableSize();
	EXPECT_FALSE(Day == TEXT("HostCoreTest_NeverCreated"));
	EXPECT_TRUE(FName(TEXT("HostCoreTest_NeverCreated"), FNAME_Find).IsNone());
	EXPECT_TRUE(FName(TEXT("HostCoreTest_NeverCreated_2"), FNAME_Find).IsNone());
	EXPECT_EQ(UE::Core::Private::GetNameTableSize(), SizeBefore);
	EXPECT_EQ(FName(TEXT("hostday_7"), FNAME_Find), FName(Day, 8)) << "Find still splits the number";
}

TEST(HostName, LexicalOrderIgnoresCaseThenNumbersWhileFastOrderIsCreationOrder)
{
	// LexicalLess is alphabetical (case-insensitive, then by number); FastLess is not.
	const FName Zulu(TEXT("HostOrderZulu"));
	const FName Alpha(TEXT("hostorderalpha"));
	EXPECT_TRUE(Zulu.FastLess(Alpha)) << "Zulu was created first";
	EXPECT_FALSE(Zulu.LexicalLess(Alpha));
	EXPECT_TRUE(Alpha.LexicalLess(Zulu));
	EXPECT_GT(Zulu.Compare(Alpha), 0);
	EXPECT_EQ(Zulu.Compare(FName(TEXT("HOSTORDERZULU"))), 0);

	const FName Item2(TEXT("HostItem_2"));
	const FName Item10(TEXT("HostItem_10"));
	EXPECT_LT(Item2.Compare(Item10), 0) << "same text: ordered by number, not by digits";
	EXPECT_TRUE(Item2.LexicalLess(Item10));

	TArray<FName> Names = {FName(TEXT("HostOrderMike")), Zulu, Alpha, FName(TEXT("HostOrderBravo"))};
	Names.Sort(FNameLexicalLess());
	ASSERT_EQ(Names.Num(), 4);
	EXPECT_EQ(Names[0], Alpha);
	EXPECT_EQ(Names[1], FName(TEXT("HostOrderBravo")));
	EXPECT_EQ(Names[2], FName(TEXT("HostOrderMike")));
	EXPECT_EQ(Names[3], Zulu);
}

TEST(HostName, WorksAsCaseInsensitiveMapKey)
{
	// Maps keyed by FName are how properties and tags are looked up.
	TMap<FName, int32> Map;
	Map.Add(FName(TEXT("HostKey")), 1);
	Map.Add(FName(TEXT("HOSTKEY")), 2);
	EXPECT_EQ(Map.Num(), 1);
	ASSERT_NE(Map.Find(FName(TEXT("hostkey"))), nullptr);
	EXPECT_EQ(*Map.Find(FName(TEXT("hostkey"))), 2);
	EXPECT_EQ(Map.FindRef(FName(TEXT("HostKey_1"))), 0) << "a numbered name is another key";
}

// ------------------------------------------------------------------------------------------------
// FString
// ------------------------------------------------------------------------------------------------

TEST(HostString, EqualityOperatorIgnoresCaseButEqualsDefaultsToCaseSensitive)
{
	// Engine code relies on both: == ignores case, Equals() does not unless asked.
	const FString A(TEXT("Sunset"));
	const FString B(TEXT("SUNSET"));
	EXPECT_TRUE(A == B);
	EXPECT_FALSE(A != B);
	EXPECT_TRUE(A == TEXT("sunset"));
	EXPECT_TRUE(TEXT("sunSET") == A);
	EXPECT_FALSE(A.Equals(B));
	EXPECT_TRUE(A.Equals(B, ESearchCase::IgnoreCase));
	EXPECT_NE(A.Compare(B), 0);
	EXPECT_EQ(A.Compare(B, ESearchCase::IgnoreCase), 0);
	EXPECT_FALSE(A < B);
	EXPECT_FALSE(B < A);
	EXPECT_TRUE(FString(TEXT("apple")) < FString(TEXT("Banana"))) << "ordering ignores case too";
	EXPECT_FALSE(FString(TEXT("Sunset")) == FString(TEXT("Sunse")));
}

TEST(HostString, MapKeysIgnoreCaseAndAddOverwrites)
{
	// TMap<FString, V> treats keys differing only in case as the same key.
	TMap<FString, int32> Map;
	Map.Add(TEXT("Night"), 1);
	Map.Add(TEXT("NIGHT"), 2);
	EXPECT_EQ(Map.Num(), 1);
	EXPECT_EQ(Map.FindRef(TEXT("night")), 2);
	EXPECT_TRUE(Map.Contains(TEXT("nIGHT")));
	EXPECT_EQ(Map.Remove(TEXT("Night")), 1);
	EXPECT_EQ(Map.Remove(TEXT("Night")), 0);
	EXPECT_TRUE(Map.IsEmpty());
}

TEST(HostString, SearchesIgnoreCaseByDefault)
{
	// Find/Contains/StartsWith/EndsWith/Replace default to IgnoreCase, unlike Equals.
	const FString S(TEXT("Hello World, hello"));
	EXPECT_EQ(S.Find(TEXT("HELLO")), 0);
	EXPECT_EQ(S.Find(TEXT("HELLO"), ESearchCase::CaseSensitive), INDEX_NONE);
	EXPECT_EQ(S.Find(TEXT("hello"), ESearchCase::CaseSensitive), 13);
	EXPECT_EQ(S.Find(TEXT("hello"), ESearchCase::IgnoreCase, ESearchDir::FromEnd), 13);
	EXPECT_EQ(S.Find(TEXT("hello"), ESearchCase::IgnoreCase, ESearchDir::FromEnd, 13), 0);
	EXPECT_EQ(S.Find(TEXT("o"), ESearchCase::IgnoreCase, ESearchDir::FromStart, 5), 7);
	EXPECT_TRUE(S.Contains(TEXT("WORLD")));
	EXPECT_TRUE(S.StartsWith(TEXT("hello")));
	EXPECT_FALSE(S.StartsWith(TEXT("hello"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(S.EndsWith(TEXT("HELLO")));
	EXPECT_FALSE(S.StartsWith(TEXT(""))) << "an empty prefix never matches";
	EXPECT_FALSE(S.EndsWith(TEXT("")));
	EXPECT_EQ(S.Replace(TEXT("HELLO"), TEXT("Bye")), FString(TEXT("Bye World, Bye")));
	EXPECT_TRUE(S.Replace(TEXT("HELLO"), TEXT("Bye"), ESearchCase::CaseSensitive).Equals(S));

	FString Inline(TEXT("aXbxc"));
	EXPECT_EQ(Inline.ReplaceInline(TEXT("x"), TEXT("--")), 2);
	EXPECT_TRUE(Inline.Equals(TEXT("a--b--c")));
}

TEST(HostString, SubstringsClampTheirArguments)
{
	// Out-of-range counts are clamped rather than failing.
	const FString S(TEXT("Daylight"));
	EXPECT_TRUE(S.Left(3).Equals(TEXT("Day")));
	EXPECT_TRUE(S.Left(100).Equals(S));
	EXPECT_TRUE(S.Left(-1).IsEmpty());
	EXPECT_TRUE(S.LeftChop(5).Equals(TEXT("Day")));
	EXPECT_TRUE(S.Right(5).Equals(TEXT("light")));
	EXPECT_TRUE(S.RightChop(3).Equals(TEXT("light")));
	EXPECT_TRUE(S.Mid(3, 2).Equals(TEXT("li")));
	EXPECT_TRUE(S.Mid(3).Equals(TEXT("light")));
	EXPECT_TRUE(S.Mid(-2, 4).Equals(TEXT("Da")));
	EXPECT_TRUE(S.Mid(20, 4).IsEmpty());
	EXPECT_TRUE(S.Mid(2, -1).IsEmpty());
}

TEST(HostString, ParseIntoArrayAndSplit)
{
	// Splitting config-like text: empty fields are dropped unless asked for.
	TArray<FString> Parts;
	EXPECT_EQ(FString(TEXT(",a,,b,")).ParseIntoArray(Parts, TEXT(","), true), 2);
	EXPECT_TRUE(Parts[0].Equals(TEXT("a")));
	EXPECT_TRUE(Parts[1].Equals(TEXT("b")));
	EXPECT_EQ(FString(TEXT(",a,,b,")).ParseIntoArray(Parts, TEXT(","), false), 5);
	EXPECT_TRUE(Parts[0].IsEmpty());
	EXPECT_TRUE(Parts[4].IsEmpty());
	EXPECT_EQ(FString().ParseIntoArray(Parts, TEXT(","), false), 0) << "an empty string has no fields";
	EXPECT_EQ(FString(TEXT("a::b")).ParseIntoArray(Parts, TEXT("::")), 2);
	EXPECT_EQ(FString(TEXT(" one\ttwo\n three ")).ParseIntoArrayWS(Parts), 3);
	EXPECT_TRUE(Parts[2].Equals(TEXT("three")));
	EXPECT_EQ(FString(TEXT("l1\r\nl2\nl3")).ParseIntoArrayLines(Parts), 3);

	FString Left, Right;
	const FString Path(TEXT("A.B.C"));
	EXPECT_TRUE(Path.Split(TEXT("."), &Left, &Right));
	EXPECT_TRUE(Left.Equals(TEXT("A")));
	EXPECT_TRUE(Right.Equals(TEXT("B.C")));
	EXPECT_TRUE(Path.Split(TEXT("."), &Left, &Right, ESearchCase::IgnoreCase, ESearchDir::FromEnd));
	EXPECT_TRUE(Left.Equals(TEXT("A.B")));
	EXPECT_TRUE(Right.Equals(TEXT("C")));
	EXPECT_FALSE(Path.Split(TEXT("/"), &Left, &Right));

	FString Self(TEXT("x=y"));
	EXPECT_TRUE(Self.Split(TEXT("="), &Self, nullptr)) << "the output may be the string itself";
	EXPECT_TRUE(Self.Equals(TEXT("x")));
}

TEST(HostString, TrimCaseAndPathJoin)
{
	// Small helpers the tools use when building paths and labels.
	EXPECT_TRUE(FString(TEXT("  \t pad \n")).TrimStartAndEnd().Equals(TEXT("pad")));
	EXPECT_TRUE(FString(TEXT("  pad ")).TrimStart().Equals(TEXT("pad ")));
	EXPECT_TRUE(FString(TEXT("  pad ")).TrimEnd().Equals(TEXT("  pad")));
	EXPECT_TRUE(FString(TEXT("MiXed_1")).ToUpper().Equals(TEXT("MIXED_1")));
	EXPECT_TRUE(FString(TEXT("MiXed_1")).ToLower().Equals(TEXT("mixed_1")));
	EXPECT_TRUE((FString(TEXT("Saved")) / TEXT("Presets") / FString(TEXT("Day.json"))).Equals(TEXT("Saved/Presets/Day.json")));
	EXPECT_TRUE((FString(TEXT("Saved/")) / TEXT("x")).Equals(TEXT("Saved/x")));
	EXPECT_TRUE((FString() / TEXT("x")).Equals(TEXT("x")));
	EXPECT_TRUE((FString(TEXT("a")) + TEXT("b") + FString(TEXT("c"))).Equals(TEXT("abc")));
	FString Chars;
	Chars += TEXT('x');
	Chars += 'y';
	EXPECT_TRUE(Chars.Equals(TEXT("xy")));
}

struct FPrintfCase
{
	const char* Name;
	FString Result;
	const TCHAR* Expected;
};

class HostStringPrintf : public ::testing::TestWithParam<FPrintfCase>
{
};

TEST_P(HostStringPrintf, FormatsLikePrintf)
{
	// Log lines and labels go through Printf; each directive must format as the C library does.
	EXPECT_TRUE(GetParam().Result.Equals(GetParam().Expected)) << GetParam().Name << ": got \"" << Narrow(GetParam().Result) << "\"";
}

INSTANTIATE_TEST_SUITE_P(Directives, HostStringPrintf,
	::testing::Values(FPrintfCase{"tchar string", FString::Printf(TEXT("[%s]"), TEXT("Sun")), TEXT("[Sun]")},
		FPrintfCase{"fstring via deref", FString::Printf(TEXT("%s!"), *FString(TEXT("Moon"))), TEXT("Moon!")},
		FPrintfCase{"string width", FString::Printf(TEXT("[%6s|%-6s]"), TEXT("ab"), TEXT("cd")), TEXT("[    ab|cd    ]")},
		FPrintfCase{"string precision", FString::Printf(TEXT("%.2s"), TEXT("abcdef")), TEXT("ab")},
		FPrintfCase{"null string", FString::Printf(TEXT("%s"), static_cast<const TCHAR*>(nullptr)), TEXT("(null)")},
		FPrintfCase{"ansi string", FString::Printf(TEXT("%hs"), "narrow"), TEXT("narrow")},
		FPrintfCase{"ints", FString::Printf(TEXT("%d %i %u"), -5, 7, 4000000000u), TEXT("-5 7 4000000000")},
		FPrintfCase{"int width and zero pad", FString::Printf(TEXT("[%5d|%-5d|%05d]"), 42, 42, 42), TEXT("[   42|42   |00042]")},
		FPrintfCase{"64-bit", FString::Printf(TEXT("%lld %llu"), static_cast<long long>(-1) << 40, ~0ull), TEXT("-1099511627776 18446744073709551615")},
		FPrintfCase{"int64 typedef", FString::Printf(TEXT("%lld"), static_cast<int64>(1) << 33), TEXT("8589934592")},
		FPrintfCase{"hex", FString::Printf(TEXT("%x %X %08x %#x"), 255, 255, 0xbeef, 16), TEXT("ff FF 0000beef 0x10")},
		FPrintfCase{"char", FString::Printf(TEXT("%c%c"), TEXT('o'), 'k'), TEXT("ok")},
		FPrintfCase{"fixed", FString::Printf(TEXT("%f %.2f %8.3f"), 1.5, 2.345f, -3.14159), TEXT("1.500000 2.35   -3.142")},
		FPrintfCase{"general and exponent", FString::Printf(TEXT("%g %e"), 0.0001, 1234.5), TEXT("0.0001 1.234500e+03")},
		FPrintfCase{"star width", FString::Printf(TEXT("[%*d]"), 4, 7), TEXT("[   7]")},
		FPrintfCase{"percent", FString::Printf(TEXT("100%%")), TEXT("100%")},
		FPrintfCase{"bool and enum", FString::Printf(TEXT("%d %d"), true, ESearchCase::IgnoreCase), TEXT("1 1")},
		FPrintfCase{"utf16 passthrough", FString::Printf(TEXT("%s\u00b0"), TEXT("20")), TEXT("20\u00b0")}),
	[](const ::testing::TestParamInfo<FPrintfCase>& Info) {
		std::string Name = Info.param.Name;
		for (char& C : Name)
		{
			if (!std::isalnum(static_cast<unsigned char>(C)))
			{
				C = '_';
			}
		}
		return Name;
	});

TEST(HostStringDeathTest, PrintfRejectsArgumentsOfTheWrongKind)
{
	// Passing an int for %s would read garbage in the engine; the host stops at once instead.
	EXPECT_DEATH((void)FString::Printf(TEXT("%s"), 5), "argument 1 for %s");
	EXPECT_DEATH((void)FString::Printf(TEXT("%s"), "narrow"), "const ANSICHAR");
	EXPECT_DEATH((void)FString::Printf(TEXT("%d"), 1.5), "floating-point");
	EXPECT_DEATH((void)FString::Printf(TEXT("%d %d"), 1), "too few arguments");
}

TEST(HostString, SanitizeFloatAndLexConversions)
{
	// Numbers written to presets and UI use these; trailing zeros and -0 must not leak out.
	EXPECT_TRUE(FString::SanitizeFloat(1.0).Equals(TEXT("1.0")));
	EXPECT_TRUE(FString::SanitizeFloat(0.25).Equals(TEXT("0.25")));
	EXPECT_TRUE(FString::SanitizeFloat(-0.0).Equals(TEXT("0.0")));
	EXPECT_TRUE(FString::SanitizeFloat(3.0, 0).Equals(TEXT("3")));
	EXPECT_TRUE(FString::SanitizeFloat(12.5, 3).Equals(TEXT("12.500")));
	EXPECT_TRUE(FString::FromInt(-42).Equals(TEXT("-42")));
	EXPECT_TRUE(LexToString(true).Equals(TEXT("true")));
	EXPECT_TRUE(LexToString(0.5f).Equals(TEXT("0.500000")));

	int32 IntValue = 0;
	EXPECT_TRUE(LexTryParseString(IntValue, TEXT("123")));
	EXPECT_EQ(IntValue, 123);
	EXPECT_FALSE(LexTryParseString(IntValue, TEXT("12x")));
	EXPECT_FALSE(LexTryParseString(IntValue, TEXT("")));
	float FloatValue = 0;
	EXPECT_TRUE(LexTryParseString(FloatValue, TEXT("-2.5e1")));
	EXPECT_FLOAT_EQ(FloatValue, -25.f);
	EXPECT_EQ(FCString::Atoi(TEXT("  17abc")), 17);
	EXPECT_FLOAT_EQ(FCString::Atof(TEXT("0.75")), 0.75f);
	EXPECT_TRUE(FString(TEXT("-1.5")).IsNumeric());
	EXPECT_FALSE(FString(TEXT("1.2.3")).IsNumeric());
	EXPECT_FALSE(FString().IsNumeric());
}

TEST(HostString, Utf8ConversionsRoundTrip)
{
	// Text crosses into files and terminals as UTF-8, including characters outside the BMP.
	const FString Wide(TEXT("Sol \u00e9t\u00e9 \u2600 \U0001F319"));
	const std::string Utf8 = TCHAR_TO_UTF8(*Wide);
	EXPECT_EQ(Utf8, "Sol \xc3\xa9t\xc3\xa9 \xe2\x98\x80 \xf0\x9f\x8c\x99");
	EXPECT_TRUE(FString(UTF8_TO_TCHAR(Utf8.c_str())).Equals(Wide));
	EXPECT_TRUE(FString(Utf8.c_str()).Equals(Wide)) << "narrow literals are read as UTF-8";
	EXPECT_EQ(std::string(TCHAR_TO_ANSI(TEXT("a\u00e9b"))), "a?b");
	EXPECT_TRUE(FString(UTF8_TO_TCHAR("bad\xff")).Equals(TEXT("bad?")));
	EXPECT_EQ(std::strlen(TCHAR_TO_UTF8(TEXT(""))), 0u);
}

// ------------------------------------------------------------------------------------------------
// TArray
// ------------------------------------------------------------------------------------------------

namespace
{
	struct FLight
	{
		int32 Priority;
		int32 Id;
		bool operator<(const FLight& Other) const { return Priority < Other.Priority; }
	};
}

TEST(HostArray, SortOfPointersComparesThePointees)
{
	// TArray<T*>::Sort hands the predicate const T& (dereferenced) and sorts by the objects.
	FLight Lights[4] = {{3, 0}, {1, 1}, {2, 2}, {0, 3}};
	TArray<FLight*> Array = {&Lights[0], &Lights[1], &Lights[2], &Lights[3]};
	Array.Sort([](const FLight& A, const FLight& B) { return A.Priority > B.Priority; });
	ASSERT_EQ(Array.Num(), 4);
	EXPECT_EQ(Array[0]->Id, 0);
	EXPECT_EQ(Array[1]->Id, 2);
	EXPECT_EQ(Array[2]->Id, 1);
	EXPECT_EQ(Array[3]->Id, 3);

	Array.Sort(); // operator< of the pointee, not pointer order
	EXPECT_EQ(Array[0]->Priority, 0);
	EXPECT_EQ(Array[3]->Priority, 3);
}

TEST(HostArray, StableSortKeepsEqualElementsInOrder)
{
	// StableSort is the one to use when ties must keep their order.
	TArray<FLight> Array;
	for (int32 Index = 0; Index < 40; ++Index)
	{
		Array.Add(FLight{Index % 3, Index});
	}
	Array.StableSort([](const FLight& A, const FLight& B) { return A.Priority < B.Priority; });
	for (int32 Index = 1; Index < Array.Num(); ++Index)
	{
		ASSERT_LE(Array[Index - 1].Priority, Array[Index].Priority);
		if (Array[Index - 1].Priority == Array[Index].Priority)
		{
			EXPECT_LT(Array[Index - 1].Id, Array[Index].Id) << "at " << Index;
		}
	}
}

TEST(HostArray, RemovalFunctionsKeepOrderAndCount)
{
	// RemoveAll/Remove keep the survivors' order and report how many went; RemoveAtSwap does not keep order.
	TArray<int32> Array = {1, 2, 3, 2, 4, 2, 5};
	EXPECT_EQ(Array.RemoveAll([](const int32& Value) { return Value % 2 == 0; }), 4);
	EXPECT_EQ(Array, TArray<int32>({1, 3, 5}));

	Array = {7, 1, 7, 2, 7};
	EXPECT_EQ(Array.Remove(7), 3);
	EXPECT_EQ(Array, TArray<int32>({1, 2}));
	EXPECT_EQ(Array.Remove(9), 0);

	Array = {7, 1, 7};
	EXPECT_EQ(Array.RemoveSingle(7), 1);
	EXPECT_EQ(Array, TArray<int32>({1, 7}));

	Array = {0, 1, 2, 3, 4};
	Array.RemoveAtSwap(1);
	EXPECT_EQ(Array, TArray<int32>({0, 4, 2, 3}));
	Array.RemoveAt(0, 2);
	EXPECT_EQ(Array, TArray<int32>({2, 3}));
	EXPECT_EQ(Array.Pop(), 3);
	EXPECT_EQ(Array, TArray<int32>({2}));
}

TEST(HostArray, FindAndPredicateQueries)
{
	// The lookups return indices, INDEX_NONE or pointers exactly as engine code expects.
	TArray<FLight> Array = {{5, 10}, {6, 11}, {5, 12}};
	EXPECT_EQ(Array.IndexOfByPredicate([](const FLight& L) { return L.Priority == 5; }), 0);
	EXPECT_EQ(Array.IndexOfByPredicate([](const FLight& L) { return L.Priority == 9; }), INDEX_NONE);
	EXPECT_EQ(Array.FindLastByPredicate([](const FLight& L) { return L.Priority == 5; }), 2);
	FLight* Found = Array.FindByPredicate([](const FLight& L) { return L.Id == 11; });
	ASSERT_NE(Found, nullptr);
	EXPECT_EQ(Found, &Array[1]);
	EXPECT_EQ(Array.FindByPredicate([](const FLight& L) { return L.Id == 99; }), nullptr);
	EXPECT_TRUE(Array.ContainsByPredicate([](const FLight& L) { return L.Id == 12; }));
	EXPECT_EQ(Array.FilterByPredicate([](const FLight& L) { return L.Priority == 5; }).Num(), 2);

	TArray<int32> Ints = {4, 8, 4};
	EXPECT_EQ(Ints.Find(4), 0);
	EXPECT_EQ(Ints.FindLast(4), 2);
	EXPECT_EQ(Ints.IndexOfByKey(8), 1);
	EXPECT_TRUE(Ints.Contains(8));
	EXPECT_EQ(Ints.AddUnique(8), 1) << "an existing element's index";
	EXPECT_EQ(Ints.AddUnique(9), 3);
	EXPECT_EQ(Ints.Num(), 4);
}

TEST(HostArray, GrowthAndCapacity)
{
	// Reset keeps the allocation (for per-frame scratch arrays); Empty frees it.
	TArray<int32> Array;
	Array.Reserve(64);
	for (int32 Index = 0; Index < 10; ++Index)
	{
		Array.Add(Index);
	}
	const int32 Capacity = Array.Max();
	EXPECT_GE(Capacity, 64);
	Array.Reset();
	EXPECT_EQ(Array.Num(), 0);
	EXPECT_EQ(Array.Max(), Capacity);
	Array.Empty();
	EXPECT_EQ(Array.Max(), 0);
	EXPECT_EQ(Array.GetAllocatedSize(), 0u);

	EXPECT_EQ(Array.AddDefaulted(3), 0);
	EXPECT_EQ(Array.AddZeroed(2), 3);
	EXPECT_EQ(Array, TArray<int32>({0, 0, 0, 0, 0}));
	Array.SetNum(2);
	EXPECT_EQ(Array.Num(), 2);
	Array.Insert(7, 2);
	Array.Insert(6, 0);
	EXPECT_EQ(Array, TArray<int32>({6, 0, 0, 7}));
	EXPECT_EQ(Array.Last(), 7);
	EXPECT_EQ(Array.Last(1), 0);
	Array.Append({1, 2});
	Array += TArray<int32>({3});
	EXPECT_EQ(Array.Num(), 7);
	EXPECT_EQ(Array.Top(), 3);
	EXPECT_TRUE(Array.IsValidIndex(6));
	EXPECT_FALSE(Array.IsValidIndex(7));
	EXPECT_FALSE(Array.IsValidIndex(-1));
}

TEST(HostArray, BoolArrayHandsOutRealReferences)
{
	// TArray<bool> must behave like any other array (no std::vector<bool> proxies).
	TArray<bool> Flags;
	Flags.Init(false, 3);
	bool& Second = Flags[1];
	Second = true;
	bool* Data = Flags.GetData();
	Data[2] = true;
	EXPECT_EQ(Flags, TArray<bool>({false, true, true}));
	for (bool& Flag : Flags)
	{
		Flag = !Flag;
	}
	EXPECT_EQ(Flags.Find(true), 0);
	Flags.SetNumZeroed(5);
	EXPECT_FALSE(Flags[4]);
}

TEST(HostArray, IndexedIteratorRemovesCurrent)
{
	// CreateIterator().RemoveCurrent() is the engine idiom for removing while iterating.
	TArray<int32> Array = {1, 2, 3, 4, 5, 6};
	for (auto It = Array.CreateIterator(); It; ++It)
	{
		if (*It % 2 == 0)
		{
			It.RemoveCurrent();
		}
	}
	EXPECT_EQ(Array, TArray<int32>({1, 3, 5}));
}

TEST(HostArrayDeathTest, BadIndexAndMisuseAreFatal)
{
	// Out-of-range access, changing the array inside a ranged-for and adding an element of the
	// array to itself are caught where the engine's checks catch them.
	TArray<int32> Array = {1, 2, 3};
	EXPECT_DEATH((void)Array[3], "Array index out of bounds: 3 into an array of size 3");
	EXPECT_DEATH((void)Array[-1], "Array index out of bounds");
	EXPECT_DEATH(Array.RemoveAt(2, 2), "out of bounds");
	EXPECT_DEATH(Array.Insert(0, 5), "out of bounds");
	EXPECT_DEATH(
		{
			for (int32 Value : Array)
			{
				Array.Add(Value);
			}
		},
		"changed during ranged-for");
	EXPECT_DEATH(Array.Add(Array[0]), "already comes from the container");
	TArray<int32> Empty;
	EXPECT_DEATH((void)Empty.Last(), "out of bounds");
	EXPECT_DEATH((void)Empty.Pop(), "out of bounds");
}

TEST(HostArray, ArrayViewSeesTheArray)
{
	// Views are how engine APIs accept arrays without copying.
	TArray<int32> Array = {5, 6, 7};
	TArrayView<int32> View(Array);
	View[1] = 60;
	EXPECT_EQ(Array[1], 60);
	const TConstArrayView<int32> Const = Array;
	EXPECT_EQ(Const.Num(), 3);
	EXPECT_EQ(Const.Find(7), 2);
	EXPECT_EQ(Const.Slice(1, 2)[0], 60);
	EXPECT_EQ(TArray<int32>(Const.Slice(1, 2)), TArray<int32>({60, 7}));
	const TArrayView<const int32> Empty = {};
	EXPECT_TRUE(Empty.IsEmpty());
}

// ------------------------------------------------------------------------------------------------
// TMap / TSet / TDoubleLinkedList
// ------------------------------------------------------------------------------------------------

TEST(HostMap, BasicOperations)
{
	// Add overwrites, Find gives a pointer, FindOrAdd inserts a default, Remove counts.
	TMap<int32, FString> Map;
	Map.Add(1, TEXT("one"));
	Map.Add(1, TEXT("uno"));
	EXPECT_EQ(Map.Num(), 1);
	ASSERT_NE(Map.Find(1), nullptr);
	EXPECT_TRUE(Map.Find(1)->Equals(TEXT("uno")));
	EXPECT_EQ(Map.Find(2), nullptr);
	EXPECT_TRUE(Map.FindRef(2).IsEmpty());
	EXPECT_TRUE(Map.FindOrAdd(2).IsEmpty());
	EXPECT_EQ(Map.Num(), 2);
	Map.FindOrAdd(2) = TEXT("dos");
	EXPECT_TRUE(Map.FindChecked(2).Equals(TEXT("dos")));
	EXPECT_TRUE(Map[2].Equals(TEXT("dos")));
	const int32* Key = Map.FindKey(TEXT("uno"));
	ASSERT_NE(Key, nullptr);
	EXPECT_EQ(*Key, 1);
	FString Removed;
	EXPECT_TRUE(Map.RemoveAndCopyValue(1, Removed));
	EXPECT_TRUE(Removed.Equals(TEXT("uno")));
	EXPECT_EQ(Map.Remove(1), 0);

	int32 Visited = 0;
	for (const auto& [K, V] : Map)
	{
		EXPECT_EQ(K, 2);
		EXPECT_TRUE(V.Equals(TEXT("dos")));
		++Visited;
	}
	EXPECT_EQ(Visited, 1);
}

TEST(HostMap, IterationFollowsInsertionWithFreedSlotsReused)
{
	// Iteration order follows the engine's sparse storage: insertion order, and a new element
	// takes the most recently freed slot.
	TMap<int32, int32> Map;
	for (int32 Key : {10, 20, 30, 40})
	{
		Map.Add(Key, Key);
	}
	Map.Remove(20);
	Map.Remove(30);
	Map.Add(50, 50);
	Map.Add(60, 60);
	Map.Add(70, 70);
	TArray<int32> Keys;
	Map.GetKeys(Keys);
	EXPECT_EQ(Keys, TArray<int32>({10, 60, 50, 40, 70}));

	for (auto It = Map.CreateIterator(); It; ++It)
	{
		if (It.Key() >= 50)
		{
			It.RemoveCurrent();
		}
	}
	Map.GenerateKeyArray(Keys);
	EXPECT_EQ(Keys, TArray<int32>({10, 40}));

	Map.Add(5, 0);
	Map.KeySort([](int32 A, int32 B) { return A < B; });
	Map.GenerateKeyArray(Keys);
	EXPECT_EQ(Keys, TArray<int32>({5, 10, 40}));
}

TEST(HostMap, ManyKeysSurviveRehashing)
{
	// The hash index must stay consistent through growth and removals.
	TMap<int32, int32> Map;
	for (int32 Index = 0; Index < 5000; ++Index)
	{
		Map.Add(Index * 7, Index);
	}
	for (int32 Index = 0; Index < 5000; Index += 2)
	{
		ASSERT_EQ(Map.Remove(Index * 7), 1);
	}
	EXPECT_EQ(Map.Num(), 2500);
	for (int32 Index = 0; Index < 5000; ++Index)
	{
		const int32* Value = Map.Find(Index * 7);
		if (Index % 2 == 0)
		{
			ASSERT_EQ(Value, nullptr) << Index;
		}
		else
		{
			ASSERT_NE(Value, nullptr) << Index;
			ASSERT_EQ(*Value, Index);
		}
	}
}

TEST(HostSet, AddContainsRemoveAndSetAlgebra)
{
	// Sets back tag lookups and de-duplication.
	TSet<FName> Tags;
	bool bAlreadyIn = true;
	Tags.Add(FName(TEXT("HostTagA")), &bAlreadyIn);
	EXPECT_FALSE(bAlreadyIn);
	Tags.Add(FName(TEXT("hosttaga")), &bAlreadyIn);
	EXPECT_TRUE(bAlreadyIn);
	Tags.Add(FName(TEXT("HostTagB")));
	EXPECT_EQ(Tags.Num(), 2);
	EXPECT_TRUE(Tags.Contains(FName(TEXT("HOSTTAGB"))));
	EXPECT_TRUE(Tags.Contains(TEXT("hosttagb"))) << "a literal is looked up as a name, not as a pointer";
	EXPECT_NE(Tags.Find(TEXT("HostTagA")), nullptr);
	EXPECT_EQ(Tags.Remove(FName(TEXT("HostTagB"))), 1);
	EXPECT_EQ(Tags.Remove(FName(TEXT("HostTagB"))), 0);

	const TSet<int32> A = {1, 2, 3};
	const TSet<int32> B = {2, 3, 4};
	EXPECT_EQ(A.Union(B).Num(), 4);
	EXPECT_EQ(A.Intersect(B).Num(), 2);
	EXPECT_EQ(A.Difference(B).Array(), TArray<int32>({1}));
	EXPECT_TRUE(A.Includes(TSet<int32>({1, 3})));
}

TEST(HostList, DoubleLinkedListKeepsLinksConsistent)
{
	// Property chains are linked lists walked from either end.
	TDoubleLinkedList<int32> List;
	List.AddTail(2);
	List.AddHead(1);
	List.AddTail(3);
	ASSERT_EQ(List.Num(), 3);
	EXPECT_EQ(List.GetHead()->GetValue(), 1);
	EXPECT_EQ(List.GetTail()->GetValue(), 3);
	EXPECT_EQ(List.GetHead()->GetNextNode()->GetValue(), 2);
	EXPECT_EQ(List.GetTail()->GetPrevNode()->GetValue(), 2);
	EXPECT_EQ(List.GetHead()->GetPrevNode(), nullptr);

	List.RemoveNode(List.GetHead()->GetNextNode());
	EXPECT_EQ(List.Num(), 2);
	EXPECT_EQ(List.GetHead()->GetNextNode(), List.GetTail());
	EXPECT_EQ(List.GetTail()->GetPrevNode(), List.GetHead());
	List.InsertNode(5, List.GetTail());
	std::vector<int32> Values;
	for (int32 Value : List)
	{
		Values.push_back(Value);
	}
	EXPECT_EQ(Values, (std::vector<int32>{1, 5, 3}));
	List.RemoveNode(3);
	EXPECT_EQ(List.GetTail()->GetValue(), 5);
	List.Empty();
	EXPECT_EQ(List.Num(), 0);
	EXPECT_EQ(List.GetHead(), nullptr);
}

// ------------------------------------------------------------------------------------------------
// FMath
// ------------------------------------------------------------------------------------------------

TEST(HostMath, ClampSendsNaNToMax)
{
	// A NaN input fails both comparisons, so Clamp returns the maximum (a known engine quirk).
	EXPECT_EQ(FMath::Clamp(NAN, 0.f, 1.f), 1.f);
	EXPECT_EQ(FMath::Clamp(std::nan(""), -2.0, 3.0), 3.0);
	EXPECT_EQ(FMath::Clamp(-5, 0, 10), 0);
	EXPECT_EQ(FMath::Clamp(15, 0, 10), 10);
	EXPECT_EQ(FMath::Clamp(0.5, 0.f, 1.f), 0.5) << "mixed float/double resolves to double";
	static_assert(std::is_same_v<decltype(FMath::Clamp(0.5, 0.f, 1.f)), double>);
	static_assert(std::is_same_v<decltype(FMath::Max(1, 2.f)), float>);
}

TEST(HostMath, FmodKeepsTheSignOfTheDividendAndRejectsTinyDivisors)
{
	// Angle wrapping depends on Fmod's sign rule and its zero-divisor guard.
	EXPECT_FLOAT_EQ(FMath::Fmod(370.f, 360.f), 10.f);
	EXPECT_FLOAT_EQ(FMath::Fmod(-370.f, 360.f), -10.f);
	EXPECT_FLOAT_EQ(FMath::Fmod(370.f, -360.f), 10.f);
	EXPECT_DOUBLE_EQ(FMath::Fmod(-730.0, 360.0), -10.0);
	EXPECT_EQ(FMath::Fmod(5.f, 0.f), 0.f);
	EXPECT_EQ(FMath::Fmod(5.f, 1e-8f), 0.f) << "|Y| <= 1e-8 returns 0";
	EXPECT_EQ(FMath::Fmod(5.0, -1e-9), 0.0);
	EXPECT_NE(FMath::Fmod(5.f, 2e-8f), 0.f);
}

TEST(HostMath, ToleranceDefaults)
{
	// IsNearlyEqual/IsNearlyZero default to 1e-8 and include the boundary.
	EXPECT_TRUE(FMath::IsNearlyZero(1e-8f));
	EXPECT_FALSE(FMath::IsNearlyZero(2e-8f));
	EXPECT_TRUE(FMath::IsNearlyZero(-1e-8));
	EXPECT_TRUE(FMath::IsNearlyEqual(1.0, 1.0 + 5e-9));
	EXPECT_FALSE(FMath::IsNearlyEqual(1.0, 1.0 + 2e-8));
	EXPECT_TRUE(FMath::IsNearlyEqual(1.f, 1.1f, 0.1f + 1e-6f));
	EXPECT_TRUE(FMath::IsNearlyZero(0.5, 0.5f)) << "tolerance is inclusive";
}

TEST(HostMath, RoundingRules)
{
	// Rounding halves upward and Frac's [0,1) result differ from what std:: would give.
	EXPECT_EQ(FMath::RoundToInt(2.5f), 3);
	EXPECT_EQ(FMath::RoundToInt(-2.5f), -2);
	EXPECT_EQ(FMath::RoundToInt(-2.6), -3);
	EXPECT_EQ(FMath::FloorToInt(-0.5f), -1);
	EXPECT_EQ(FMath::CeilToInt(-0.5f), 0);
	EXPECT_EQ(FMath::TruncToInt(-1.9f), -1);
	EXPECT_FLOAT_EQ(FMath::Frac(-1.25f), 0.75f);
	EXPECT_FLOAT_EQ(FMath::Fractional(-1.25f), -0.25f);
	EXPECT_FLOAT_EQ(FMath::RoundToFloat(-0.5f), 0.f);
	static_assert(std::is_same_v<decltype(FMath::FloorToInt(1.0f)), int32>);
	static_assert(std::is_same_v<decltype(FMath::FloorToInt(1.0)), int64>);
}

struct FInterpCase
{
	const char* Name;
	double Current;
	double Target;
	double DeltaTime;
	double Speed;
	double Expected;
};

class HostMathFInterpTo : public ::testing::TestWithParam<FInterpCase>
{
};

TEST_P(HostMathFInterpTo, MatchesTheEngineFormula)
{
	// Fades are built on FInterpTo: its speed, snap and clamp rules must match exactly.
	const FInterpCase& Case = GetParam();
	const float AsFloat = FMath::FInterpTo(static_cast<float>(Case.Current), static_cast<float>(Case.Target),
		static_cast<float>(Case.DeltaTime), static_cast<float>(Case.Speed));
	EXPECT_NEAR(AsFloat, Case.Expected, 1e-5) << Case.Name;
	const double AsDouble = FMath::FInterpTo(Case.Current, Case.Target, static_cast<float>(Case.DeltaTime), static_cast<float>(Case.Speed));
	EXPECT_NEAR(AsDouble, Case.Expected, 1e-6) << Case.Name;
}

INSTANTIATE_TEST_SUITE_P(Cases, HostMathFInterpTo,
	::testing::Values(FInterpCase{"step", 0.0, 10.0, 0.1, 2.0, 2.0}, FInterpCase{"step down", 10.0, 0.0, 0.25, 2.0, 5.0},
		FInterpCase{"zero speed snaps", 0.0, 10.0, 0.1, 0.0, 10.0}, FInterpCase{"negative speed snaps", 3.0, -4.0, 0.1, -1.0, -4.0},
		FInterpCase{"overshoot clamps", 0.0, 10.0, 1.0, 5.0, 10.0}, FInterpCase{"tiny distance snaps", 1.0, 1.00005, 0.01, 1.0, 1.00005},
		FInterpCase{"zero delta time", 2.0, 8.0, 0.0, 3.0, 2.0}));

TEST(HostMath, FInterpToReturnTypeFollowsItsArguments)
{
	// The return type is the product of all argument types, so doubles are never narrowed.
	static_assert(std::is_same_v<decltype(FMath::FInterpTo(0.f, 1.f, 0.1f, 1.f)), float>);
	static_assert(std::is_same_v<decltype(FMath::FInterpTo(0.0, 1.0, 0.1f, 1.f)), double>);
	SUCCEED();
}

TEST(HostMath, RangeMappingAndEasing)
{
	// Curves map values between ranges; clamped and unclamped variants differ only outside.
	const FVector2D In(0.0, 1.0);
	const FVector2D Out(10.0, 20.0);
	EXPECT_DOUBLE_EQ(FMath::GetMappedRangeValueClamped(In, Out, 0.25), 12.5);
	EXPECT_DOUBLE_EQ(FMath::GetMappedRangeValueClamped(In, Out, 2.0), 20.0);
	EXPECT_DOUBLE_EQ(FMath::GetMappedRangeValueClamped(In, Out, -1.0), 10.0);
	EXPECT_DOUBLE_EQ(FMath::GetMappedRangeValueUnclamped(In, Out, 2.0), 30.0);
	EXPECT_FLOAT_EQ(FMath::GetMappedRangeValueClamped(FVector2f(1.f, 3.f), FVector2f(0.f, 1.f), 2.f), 0.5f);
	EXPECT_EQ(FMath::GetRangePct(5.0, 5.0, 5.0), 1.0) << "an empty range gives 1 at or above Max";
	EXPECT_EQ(FMath::GetRangePct(5.0, 5.0, 4.0), 0.0);
	EXPECT_DOUBLE_EQ(FMath::Lerp(2.0, 4.0, 1.5), 5.0) << "Lerp does not clamp Alpha";
	EXPECT_FLOAT_EQ(FMath::SmoothStep(0.f, 1.f, 0.5f), 0.5f);
	EXPECT_FLOAT_EQ(FMath::SmoothStep(0.f, 1.f, 0.25f), 0.15625f);
	EXPECT_FLOAT_EQ(FMath::SmoothStep(0.f, 1.f, -1.f), 0.f);
	EXPECT_FLOAT_EQ(FMath::InterpEaseInOut(0.f, 1.f, 0.25f, 2.f), 0.125f);
	EXPECT_FLOAT_EQ(FMath::InterpEaseInOut(0.f, 1.f, 0.75f, 2.f), 0.875f);
	EXPECT_FLOAT_EQ(FMath::UnwindDegrees(540.f), 180.f);
	EXPECT_FLOAT_EQ(FMath::UnwindDegrees(-540.f), -180.f);
	EXPECT_FLOAT_EQ(FMath::UnwindDegrees(190.f), -170.f);
	EXPECT_TRUE(FMath::IsPowerOfTwo(64));
	EXPECT_FALSE(FMath::IsPowerOfTwo(96));
	EXPECT_EQ(FMath::Max3(1, 7, 3), 7);
	EXPECT_EQ(FMath::Min3(4, 7, 3), 3);
}

TEST(HostMath, FloatApproximationsStayCloseToTheLibrary)
{
	// Float Atan2/SinCos are the engine's polynomials: close to, not equal to, the C library.
	double WorstAtan = 0;
	double WorstSinCos = 0;
	for (int32 Index = -2000; Index <= 2000; ++Index)
	{
		const float Angle = static_cast<float>(Index) * 0.01f;
		const float Y = std::sin(Angle) * 3.f;
		const float X = std::cos(Angle * 1.3f) * 2.f;
		const double Reference = std::atan2(static_cast<double>(Y), static_cast<double>(X));
		WorstAtan = std::max(WorstAtan, std::abs(FMath::Atan2(Y, X) - Reference));
		float S, C;
		FMath::SinCos(&S, &C, Angle);
		WorstSinCos = std::max({WorstSinCos, std::abs(S - std::sin(static_cast<double>(Angle))), std::abs(C - std::cos(static_cast<double>(Angle)))});
	}
	EXPECT_LT(WorstAtan, 1e-5);
	EXPECT_LT(WorstSinCos, 1e-5);
	EXPECT_EQ(FMath::Atan2(0.f, 0.f), 0.f);
	EXPECT_FLOAT_EQ(FMath::Atan2(0.f, -1.f), UE_PI);
	EXPECT_FLOAT_EQ(FMath::Atan2(-1.f, 0.f), -UE_HALF_PI);
	double S, C;
	FMath::SinCos(&S, &C, 1.0);
	EXPECT_EQ(S, std::sin(1.0)) << "the double overload is exact";
	EXPECT_EQ(C, std::cos(1.0));
}

// ------------------------------------------------------------------------------------------------
// FVector / FRotator / FQuat / FTransform
// ------------------------------------------------------------------------------------------------

struct FRotatorVectorCase
{
	FRotator Rotator;
	FVector Expected;
};

class HostRotatorVector : public ::testing::TestWithParam<FRotatorVectorCase>
{
};

TEST_P(HostRotatorVector, PointsWhereTheAnglesSay)
{
	// Sun and moon directions come from FRotator::Vector(); Roll must not matter and winding must not either.
	const FRotatorVectorCase& Case = GetParam();
	const FVector Direction = Case.Rotator.Vector();
	EXPECT_TRUE(Direction.Equals(Case.Expected, 1e-9)) << Narrow(Case.Rotator.ToString()) << " -> " << Narrow(Direction.ToString());
	EXPECT_NEAR(Direction.Size(), 1.0, 1e-12);
	const FVector3f AsFloat = FRotator3f(Case.Rotator).Vector();
	EXPECT_TRUE(FVector(AsFloat).Equals(Case.Expected, 1e-5)) << "float rotators use the polynomial SinCos";
}

INSTANTIATE_TEST_SUITE_P(KnownAngles, HostRotatorVector,
	::testing::Values(FRotatorVectorCase{FRotator(0, 0, 0), FVector(1, 0, 0)}, FRotatorVectorCase{FRotator(0, 90, 0), FVector(0, 1, 0)},
		FRotatorVectorCase{FRotator(0, -90, 0), FVector(0, -1, 0)}, FRotatorVectorCase{FRotator(0, 180, 0), FVector(-1, 0, 0)},
		FRotatorVectorCase{FRotator(90, 0, 0), FVector(0, 0, 1)}, FRotatorVectorCase{FRotator(-90, 37, 0), FVector(0, 0, -1)},
		FRotatorVectorCase{FRotator(45, 0, 0), FVector(UE_DOUBLE_INV_SQRT_2, 0, UE_DOUBLE_INV_SQRT_2)},
		FRotatorVectorCase{FRotator(-30, 60, 0), FVector(std::sqrt(3.0) / 4.0, 0.75, -0.5)},
		FRotatorVectorCase{FRotator(0, 450, 0), FVector(0, 1, 0)}, FRotatorVectorCase{FRotator(0, -270, 0), FVector(0, 1, 0)},
		FRotatorVectorCase{FRotator(0, 0, 77), FVector(1, 0, 0)}, FRotatorVectorCase{FRotator(720, 0, 0), FVector(1, 0, 0)}));

TEST(HostRotator, EulerOrderAndAxisNormalisation)
{
	// Euler() is (Roll, Pitch, Yaw), and the axis helpers have half-open ranges.
	const FRotator R(10, 20, 30);
	EXPECT_EQ(R.Euler(), FVector(30, 10, 20));
	EXPECT_EQ(FRotator::MakeFromEuler(R.Euler()), R);
	EXPECT_DOUBLE_EQ(FRotator::ClampAxis(-10.0), 350.0);
	EXPECT_DOUBLE_EQ(FRotator::ClampAxis(360.0), 0.0);
	EXPECT_DOUBLE_EQ(FRotator::ClampAxis(725.0), 5.0);
	EXPECT_DOUBLE_EQ(FRotator::NormalizeAxis(180.0), 180.0);
	EXPECT_DOUBLE_EQ(FRotator::NormalizeAxis(-180.0), 180.0) << "(-180,180]";
	EXPECT_DOUBLE_EQ(FRotator::NormalizeAxis(540.0), 180.0);
	EXPECT_DOUBLE_EQ(FRotator::NormalizeAxis(-190.0), 170.0);
	EXPECT_EQ(FRotator(370, -190, 720).GetNormalized(), FRotator(10, 170, 0));
	EXPECT_TRUE(FRotator(0, 360, -720).IsNearlyZero());
	EXPECT_TRUE(FRotator(0, 360.00001, 0).Equals(FRotator::ZeroRotator));
	EXPECT_FALSE(FRotator(0, 360.001, 0).Equals(FRotator::ZeroRotator));
	EXPECT_NE(FRotator(0, 360, 0), FRotator::ZeroRotator) << "== does not unwind";
}

TEST(HostRotator, ConversionsRoundTrip)
{
	// Direction -> rotator -> quaternion -> rotator must come back to where it started.
	const FRotator Start(30, -60, 0);
	const FRotator FromDirection = Start.Vector().Rotation();
	EXPECT_TRUE(FromDirection.Equals(Start, 1e-9)) << Narrow(FromDirection.ToString());
	for (const FRotator& R : {FRotator(10, 20, 30), FRotator(-45, 170, -100), FRotator(80, -179, 5), FRotator(0, 0, 0)})
	{
		const FQuat Q = R.Quaternion();
		EXPECT_NEAR(Q.Size(), 1.0, 1e-12);
		EXPECT_TRUE(Q.Rotator().Equals(R, 1e-4)) << Narrow(R.ToString()) << " came back as " << Narrow(Q.Rotator().ToString());
		EXPECT_TRUE(FQuat(R).Equals(Q));
		EXPECT_TRUE(R.RotateVector(FVector::ForwardVector).Equals(R.Vector(), 1e-9)) << "rotating forward gives Vector()";
		EXPECT_TRUE(R.UnrotateVector(R.RotateVector(FVector(1, 2, 3))).Equals(FVector(1, 2, 3), 1e-9));
	}
	EXPECT_TRUE(FRotator(0, 90, 0).RotateVector(FVector(1, 0, 0)).Equals(FVector(0, 1, 0), 1e-12));
	EXPECT_TRUE(FRotator(0, 0, 90).RotateVector(FVector(0, 1, 0)).Equals(FVector(0, 0, -1), 1e-12)) << "positive roll turns right into down";
	EXPECT_TRUE(FRotator(90, 0, 0).RotateVector(FVector(1, 0, 0)).Equals(FVector(0, 0, 1), 1e-12)) << "positive pitch turns forward into up";
	EXPECT_TRUE(FVector(1, 1, 0).ToOrientationQuat().Equals(FVector(1, 1, 0).Rotation().Quaternion(), 1e-12));
}

TEST(HostRotator, InterpolationTakesTheShortWay)
{
	// Lerping rotators across the +-180 seam must not swing the long way round.
	const FRotator Mid = FMath::Lerp(FRotator(0, 170, 0), FRotator(0, -170, 0), 0.5);
	EXPECT_NEAR(FRotator::NormalizeAxis(Mid.Yaw), 180.0, 1e-9);
	const FRotator Step = FMath::RInterpTo(FRotator(0, 170, 0), FRotator(0, -170, 0), 0.1f, 5.f);
	EXPECT_NEAR(Step.Yaw, 180.0, 1e-4);
	EXPECT_EQ(FMath::RInterpTo(FRotator(1, 2, 3), FRotator(4, 5, 6), 0.f, 5.f), FRotator(1, 2, 3)) << "no time, no move";
	const FRotator Constant = FMath::RInterpConstantTo(FRotator(0, 0, 0), FRotator(0, 90, 0), 0.5f, 10.f);
	EXPECT_NEAR(Constant.Yaw, 5.0, 1e-9);
	const FQuat Half = FMath::Lerp(FQuat::Identity, FRotator(0, 90, 0).Quaternion(), 0.5);
	EXPECT_TRUE(Half.Rotator().Equals(FRotator(0, 45, 0), 1e-3)) << "quaternions slerp";
}

TEST(HostVector, ToleranceAndNormalisation)
{
	// Vector tolerances are the float 1e-4f per component (inclusive); safe normals return the fallback.
	EXPECT_TRUE(FVector(1e-4f, -1e-4f, 0).IsNearlyZero());
	EXPECT_FALSE(FVector(1e-4, 0, 0).IsNearlyZero()) << "the double 1e-4 is just above the float 1e-4f";
	EXPECT_TRUE(FVector(1, 2, 3).Equals(FVector(1.00009, 2, 3 - 1e-5)));
	EXPECT_FALSE(FVector(1, 2, 3).Equals(FVector(1.00011, 2, 3)));
	EXPECT_EQ(FVector(0, 0, 0).GetSafeNormal(), FVector::ZeroVector);
	EXPECT_EQ(FVector(1e-5, 0, 0).GetSafeNormal(UE_SMALL_NUMBER, FVector::UpVector), FVector::UpVector);
	EXPECT_TRUE(FVector(3, 0, 4).GetSafeNormal().Equals(FVector(0.6, 0, 0.8), 1e-12));
	EXPECT_DOUBLE_EQ(FVector(3, 0, 4).Size(), 5.0);
	EXPECT_DOUBLE_EQ(FVector(3, 4, 12).Size2D(), 5.0);
	EXPECT_DOUBLE_EQ(FVector::Dist(FVector(1, 1, 1), FVector(1, 4, 5)), 5.0);
	EXPECT_DOUBLE_EQ(FVector::DistSquared(FVector(1, 1, 1), FVector(1, 4, 5)), 25.0);
	EXPECT_DOUBLE_EQ(FVector(1, 2, 3) | FVector(4, 5, 6), 32.0);
	EXPECT_EQ(FVector::ForwardVector ^ FVector::RightVector, FVector::UpVector) << "X cross Y is Z";
	EXPECT_EQ(FVector::CrossProduct(FVector::UpVector, FVector::ForwardVector), FVector::RightVector);
	EXPECT_EQ(2.0 * FVector(1, 2, 3), FVector(2, 4, 6));
	EXPECT_EQ(FVector(2, 4, 6) / 2, FVector(1, 2, 3));
	EXPECT_EQ(-FVector(1, -2, 3), FVector(-1, 2, -3));
	EXPECT_TRUE(FVector(0, 10, 0).GetClampedToMaxSize(2.0).Equals(FVector(0, 2, 0)));
	EXPECT_EQ(FVector(ForceInit), FVector::ZeroVector);
	EXPECT_TRUE(FMath::VInterpTo(FVector(0, 0, 0), FVector(10, 0, 0), 0.1f, 2.f).Equals(FVector(2, 0, 0)));
	EXPECT_TRUE(FMath::VInterpConstantTo(FVector(0, 0, 0), FVector(10, 0, 0), 0.5f, 2.f).Equals(FVector(1, 0, 0)));
}

TEST(HostTransform, ComposesScaleRotationTranslation)
{
	// Transforms apply scale, then rotation, then translation; the inverse undoes them.
	const FTransform T(FRotator(0, 90, 0), FVector(10, 0, 0), FVector(2, 2, 2));
	EXPECT_TRUE(T.TransformPosition(FVector(1, 0, 0)).Equals(FVector(10, 2, 0), 1e-9));
	EXPECT_TRUE(T.TransformVector(FVector(1, 0, 0)).Equals(FVector(0, 2, 0), 1e-9));
	EXPECT_TRUE(T.InverseTransformPosition(FVector(10, 2, 0)).Equals(FVector(1, 0, 0), 1e-9));
	EXPECT_TRUE((T * T.Inverse()).Equals(FTransform::Identity, 1e-9));
	EXPECT_TRUE(FTransform().Equals(FTransform::Identity)) << "default is the identity";
	EXPECT_TRUE(T.Rotator().Equals(FRotator(0, 90, 0), 1e-4));
	EXPECT_EQ(T.GetLocation(), FVector(10, 0, 0));
}

// ------------------------------------------------------------------------------------------------
// Colour
// ------------------------------------------------------------------------------------------------

TEST(HostColor, SRGBToLinearTableMatchesTheFormula)
{
	// The decode table is the engine's: the stated formula in double, then rounded to float.
	for (int32 Index = 0; Index < 256; ++Index)
	{
		const double C = Index / 255.0;
		const float Expected = static_cast<float>(C <= 0.04045 ? C / 12.92 : std::pow(C / 1.055 + 0.0521327, 2.4));
		ASSERT_EQ(FLinearColor::sRGBToLinearTable[Index], Expected) << "entry " << Index;
	}
	EXPECT_EQ(FLinearColor::sRGBToLinearTable[1], static_cast<float>(0.000303526983548838));
	EXPECT_EQ(FLinearColor::sRGBToLinearTable[11], static_cast<float>(0.00334653564113713));
	EXPECT_EQ(FLinearColor::sRGBToLinearTable[128], static_cast<float>(0.215860498718652));
	EXPECT_EQ(FLinearColor::sRGBToLinearTable[254], static_cast<float>(0.991102093719252));
	EXPECT_EQ(FLinearColor::sRGBToLinearTable[255], 1.f);
}

struct FSRGBCase
{
	float Linear;
	uint8 Expected;
};

class HostColorToSRGB : public ::testing::TestWithParam<FSRGBCase>
{
};

TEST_P(HostColorToSRGB, EncodesLikeTheEngineTable)
{
	// ToFColorSRGB is table-driven; these include inputs where rounding the exact curve differs.
	const FSRGBCase& Case = GetParam();
	const FColor Encoded = FLinearColor(Case.Linear, Case.Linear, Case.Linear, 1.f).ToFColorSRGB();
	EXPECT_EQ(Encoded.R, Case.Expected) << "linear " << Case.Linear;
	EXPECT_EQ(Encoded.G, Case.Expected);
	EXPECT_EQ(Encoded.B, Case.Expected);
	EXPECT_EQ(Encoded.A, 255);
}

INSTANTIATE_TEST_SUITE_P(Samples, HostColorToSRGB,
	::testing::Values(FSRGBCase{0.f, 0}, FSRGBCase{0.18f, 118}, FSRGBCase{0.5f, 188}, FSRGBCase{1.f, 255}, FSRGBCase{0.043f, 59},
		FSRGBCase{0.354f, 160}, FSRGBCase{-1.f, 0}, FSRGBCase{7.f, 255}, FSRGBCase{NAN, 0}));

TEST(HostColor, TableEncodingDiffersFromRoundingTheCurve)
{
	// Guards against "simplifying" the encoder to round(255 * srgb(x)): the two disagree here.
	EXPECT_EQ(static_cast<int>(std::lround(255.0 * LinearToSRGB(0.043))), 58);
	EXPECT_EQ(FLinearColor(0.043f, 0.f, 0.f).ToFColorSRGB().R, 59);
	EXPECT_EQ(static_cast<int>(std::lround(255.0 * LinearToSRGB(0.354))), 161);
	EXPECT_EQ(FLinearColor(0.354f, 0.f, 0.f).ToFColorSRGB().R, 160);
}

TEST(HostColor, EveryByteRoundTrips)
{
	// Decoding a byte and encoding it again must give the same byte, for all 256 values.
	for (int32 Index = 0; Index < 256; ++Index)
	{
		const uint8 Byte = static_cast<uint8>(Index);
		const FColor Original(Byte, Byte, Byte, Byte);
		const FColor Back = FLinearColor(Original).ToFColorSRGB();
		ASSERT_EQ(Back, Original) << "byte " << Index;
		ASSERT_EQ(Original.ReinterpretAsLinear().QuantizeRound(), Original) << "byte " << Index;
	}
}

TEST(HostColor, ByteColourLayoutAndConversions)
{
	// FColor is stored B,G,R,A; the two linear conversions differ (decode vs reinterpret).
	const FColor C(0x11, 0x22, 0x33, 0x44);
	EXPECT_EQ(C.Bits, 0x44112233u);
	uint8 Raw[4];
	std::memcpy(Raw, &C, sizeof(Raw));
	EXPECT_EQ(Raw[0], 0x33);
	EXPECT_EQ(Raw[1], 0x22);
	EXPECT_EQ(Raw[2], 0x11);
	EXPECT_EQ(Raw[3], 0x44);
	EXPECT_EQ(FColor(1, 2, 3).A, 255);

	const FColor Grey(128, 128, 128, 128);
	const FLinearColor Decoded(Grey);
	const FLinearColor Reinterpreted = Grey.ReinterpretAsLinear();
	EXPECT_FLOAT_EQ(Decoded.R, 0.215860498718652f);
	EXPECT_FLOAT_EQ(Reinterpreted.R, 128.f / 255.f);
	EXPECT_FLOAT_EQ(Decoded.A, 128.f / 255.f) << "alpha is never gamma-decoded";
	EXPECT_FLOAT_EQ(Reinterpreted.A, 128.f / 255.f);

	EXPECT_EQ(FLinearColor(0.5f, 1.2f, NAN, 0.5f).QuantizeRound(), FColor(128, 255, 0, 128));
	EXPECT_EQ(FLinearColor(0.5f, 0.5f, 0.5f).ToFColor(false), FColor(128, 128, 128));
	EXPECT_EQ(FLinearColor(0.5f, 0.5f, 0.5f).ToFColor(true), FColor(188, 188, 188));
	EXPECT_EQ(FColor::FromHex(TEXT("#FF8000")), FColor(255, 128, 0, 255));
	EXPECT_EQ(FColor::FromHex(FColor(1, 2, 3, 4).ToHex()), FColor(1, 2, 3, 4));
}

TEST(HostColor, ArithmeticIncludesAlpha)
{
	// Scaling a colour scales its alpha too: code that means RGB only must say so.
	const FLinearColor C(1.f, 0.5f, 0.25f, 1.f);
	EXPECT_EQ(C * 0.5f, FLinearColor(0.5f, 0.25f, 0.125f, 0.5f));
	EXPECT_EQ(0.5f * C, C * 0.5f);
	EXPECT_EQ(C / 2.f, FLinearColor(0.5f, 0.25f, 0.125f, 0.5f));
	EXPECT_EQ(C + C, FLinearColor(2.f, 1.f, 0.5f, 2.f));
	EXPECT_EQ(C - C, FLinearColor(0, 0, 0, 0));
	EXPECT_EQ(C * FLinearColor(0, 1, 2, 3), FLinearColor(0.f, 0.5f, 0.5f, 3.f));
	EXPECT_EQ(FMath::Lerp(FLinearColor::Black, FLinearColor::White, 0.5f), FLinearColor(0.5f, 0.5f, 0.5f, 1.f));
	EXPECT_EQ(FLinearColor(2.f, -1.f, 0.5f, 3.f).GetClamped(), FLinearColor(1.f, 0.f, 0.5f, 1.f));
	EXPECT_EQ(FLinearColor(ForceInit), FLinearColor(0, 0, 0, 0));
	EXPECT_EQ(FLinearColor::Gray, FLinearColor(0.5f, 0.5f, 0.5f, 1.f));
}

TEST(HostColor, EqualsIsStrictWhereVectorsAreInclusive)
{
	// Colour Equals uses |d| < Tol, vectors use |d| <= Tol: the boundary case tells them apart.
	EXPECT_FALSE(FLinearColor(0, 0, 0, 0).Equals(FLinearColor(UE_KINDA_SMALL_NUMBER, 0, 0, 0)));
	EXPECT_TRUE(FLinearColor(0, 0, 0, 0).Equals(FLinearColor(0.5f * UE_KINDA_SMALL_NUMBER, 0, 0, 0)));
	EXPECT_TRUE(FVector3f(0, 0, 0).Equals(FVector3f(UE_KINDA_SMALL_NUMBER, 0, 0)));
	EXPECT_FALSE(FLinearColor(1, 1, 1, 1) == FLinearColor(1, 1, 1, 0.99999f));
}

TEST(HostColor, HSVConversions)
{
	// Hue in R (degrees), saturation in G, value in B; primaries land on 0/120/240.
	const FLinearColor RedHSV = FLinearColor::Red.LinearRGBToHSV();
	EXPECT_EQ(RedHSV, FLinearColor(0.f, 1.f, 1.f, 1.f));
	EXPECT_EQ(FLinearColor::Green.LinearRGBToHSV(), FLinearColor(120.f, 1.f, 1.f, 1.f));
	EXPECT_EQ(FLinearColor::Blue.LinearRGBToHSV(), FLinearColor(240.f, 1.f, 1.f, 1.f));
	EXPECT_EQ(FLinearColor(0.5f, 0.5f, 0.5f, 0.3f).LinearRGBToHSV(), FLinearColor(0.f, 0.f, 0.5f, 0.3f)) << "grey has hue 0";
	EXPECT_EQ(FLinearColor(1.f, 0.f, 0.5f).LinearRGBToHSV().R, 330.f);
	for (const FLinearColor& C : {FLinearColor(0.2f, 0.4f, 0.9f, 0.5f), FLinearColor(0.9f, 0.1f, 0.3f), FLinearColor(0.3f, 0.8f, 0.1f),
			 FLinearColor(2.f, 1.f, 0.5f), FLinearColor(0.f, 0.f, 0.f)})
	{
		EXPECT_TRUE(C.LinearRGBToHSV().HSVToLinearRGB().Equals(C, 1e-5f)) << Narrow(C.ToString());
	}
	EXPECT_TRUE(FLinearColor(300.f, 0.5f, 0.75f).HSVToLinearRGB().Equals(FLinearColor(0.75f, 0.375f, 0.75f)));
}

namespace
{
	class HostColorHueOutOfRange : public ::testing::TestWithParam<float>
	{
	};
}

// A hue no editor gives (negative, huge, infinite, NaN, as a blend of scripted colours makes) still converts without undefined behaviour.
TEST_P(HostColorHueOutOfRange, ConvertsWithoutUndefinedBehaviour)
{
	const FLinearColor Converted = FLinearColor(GetParam(), 0.f, 0.5f, 1.f).HSVToLinearRGB();
	EXPECT_EQ(Converted.A, 1.f);
	if (std::isfinite(GetParam()))
	{
		EXPECT_EQ(Converted, FLinearColor(0.5f, 0.5f, 0.5f, 1.f)) << "no saturation: grey whatever the sector";
	}
}

INSTANTIATE_TEST_SUITE_P(Hues, HostColorHueOutOfRange, ::testing::Values(-60.f, -1e30f, 1e30f, std::numeric_limits<float>::infinity(),
	-std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()));

TEST(HostColor, LerpUsingHSVWrapsHueTheShortWay)
{
	// Blending hue 350 to hue 10 passes through red (0), not through cyan (180).
	const FLinearColor From = FLinearColor(350.f, 1.f, 1.f, 0.f).HSVToLinearRGB();
	const FLinearColor To = FLinearColor(10.f, 1.f, 1.f, 1.f).HSVToLinearRGB();
	const FLinearColor Mid = FLinearColor::LerpUsingHSV(From, To, 0.5f);
	EXPECT_TRUE(Mid.Equals(FLinearColor(1.f, 0.f, 0.f, 0.5f), 1e-5f)) << Narrow(Mid.ToString());
	EXPECT_NEAR(FLinearColor::LerpUsingHSV(From, To, 0.25f).LinearRGBToHSV().R, 355.f, 1e-3f);
	EXPECT_NEAR(FLinearColor::LerpUsingHSV(To, From, 0.25f).LinearRGBToHSV().R, 5.f, 1e-3f);

	// Grey has hue 0, so a grey-to-blue blend sweeps from red's side: hue 300 halfway.
	const FLinearColor GreyToBlue = FLinearColor::LerpUsingHSV(FLinearColor::Gray, FLinearColor::Blue, 0.5f);
	EXPECT_TRUE(GreyToBlue.Equals(FLinearColor(0.75f, 0.375f, 0.75f, 1.f), 1e-5f)) << Narrow(GreyToBlue.ToString());
	EXPECT_EQ(FLinearColor::LerpUsingHSV(From, To, 0.f).A, 0.f);
	EXPECT_EQ(FLinearColor::LerpUsingHSV(From, To, 1.f).A, 1.f);
}

TEST(HostColor, CInterpToMovesAllChannels)
{
	// Colour fades move towards the target by the clamped fraction, alpha included.
	const FLinearColor Step = FMath::CInterpTo(FLinearColor(0, 0, 0, 0), FLinearColor(1, 1, 1, 1), 0.1f, 2.f);
	EXPECT_TRUE(Step.Equals(FLinearColor(0.2f, 0.2f, 0.2f, 0.2f)));
	EXPECT_EQ(FMath::CInterpTo(FLinearColor::Black, FLinearColor::White, 0.1f, 0.f), FLinearColor::White);
}

// ------------------------------------------------------------------------------------------------
// Smaller utilities
// ------------------------------------------------------------------------------------------------

TEST(HostUtility, OptionalFunctionAndSharedPointers)
{
	// The helper templates behave as engine code expects (unset optionals, weak expiry, move-only functions).
	TOptional<int32> Optional;
	EXPECT_FALSE(Optional.IsSet());
	EXPECT_EQ(Optional.Get(7), 7);
	Optional = 3;
	EXPECT_EQ(Optional.GetValue(), 3);
	EXPECT_EQ(Optional.Get(7), 3);
	Optional.Reset();
	EXPECT_FALSE(Optional);

	TFunction<int32(int32)> Function;
	EXPECT_FALSE(Function);
	Function = [](int32 X) { return X * 2; };
	EXPECT_EQ(Function(4), 8);
	TUniqueFunction<int32()> Unique = [Owned = std::make_unique<int32>(5)]() { return *Owned; };
	TUniqueFunction<int32()> Moved = MoveTemp(Unique);
	EXPECT_FALSE(Unique);
	EXPECT_EQ(Moved(), 5);
	int32 Counter = 0;
	auto Increment = [&Counter]() { ++Counter; };
	TFunctionRef<void()> Ref = Increment;
	Ref();
	Ref();
	EXPECT_EQ(Counter, 2);

	TWeakPtr<FString> Weak;
	{
		TSharedRef<FString> Shared = MakeShared<FString>(TEXT("held"));
		TSharedPtr<FString> Ptr = Shared;
		Weak = Ptr;
		EXPECT_EQ(Shared.GetSharedReferenceCount(), 2);
		ASSERT_TRUE(Weak.Pin().IsValid());
		EXPECT_TRUE(Weak.Pin()->Equals(TEXT("held")));
	}
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_FALSE(Weak.Pin());
}

TEST(HostUtilityDeathTest, UnsetOptionalAndUnboundFunctionAreFatal)
{
	// Reading an unset optional or calling an unbound function is a programming error.
	TOptional<int32> Optional;
	EXPECT_DEATH((void)Optional.GetValue(), "unset TOptional");
	TFunction<void()> Function;
	EXPECT_DEATH(Function(), "unbound TFunction");
	TSharedPtr<int32> Null;
	EXPECT_DEATH((void)Null.ToSharedRef(), "null TSharedPtr");
}

TEST(HostUtility, GuidFormatsRoundTrip)
{
	// GUIDs are written into presets; every supported text form must parse back.
	const FGuid Guid(0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543210);
	EXPECT_TRUE(Guid.ToString().Equals(TEXT("0123456789ABCDEFFEDCBA9876543210")));
	EXPECT_TRUE(Guid.ToString(EGuidFormats::DigitsWithHyphens).Equals(TEXT("01234567-89AB-CDEF-FEDC-BA9876543210")));
	for (EGuidFormats Format : {EGuidFormats::Digits, EGuidFormats::DigitsLower, EGuidFormats::DigitsWithHyphens,
			 EGuidFormats::DigitsWithHyphensInBraces, EGuidFormats::DigitsWithHyphensInParentheses, EGuidFormats::HexValuesInBraces,
			 EGuidFormats::UniqueObjectGuid})
	{
		FGuid Parsed;
		EXPECT_TRUE(FGuid::Parse(Guid.ToString(Format), Parsed)) << Narrow(Guid.ToString(Format));
		EXPECT_EQ(Parsed, Guid) << Narrow(Guid.ToString(Format));
	}
	FGuid Parsed;
	EXPECT_FALSE(FGuid::Parse(TEXT("not a guid"), Parsed));
	EXPECT_FALSE(FGuid().IsValid());
	const FGuid A = FGuid::NewGuid();
	const FGuid B = FGuid::NewGuid();
	EXPECT_TRUE(A.IsValid());
	EXPECT_NE(A, B);
}

// ------------------------------------------------------------------------------------------------
// More names, strings and C-string helpers
// ------------------------------------------------------------------------------------------------

TEST(HostName, HardcodedNamesAndConcurrentCreation)
{
	// Engine names map to their EName; worker threads (voxel queries) may create names concurrently.
	EXPECT_EQ(FName(TEXT("vector")), FName(NAME_Vector));
	ASSERT_NE(FName(TEXT("Color")).ToEName(), nullptr);
	EXPECT_EQ(*FName(TEXT("Color")).ToEName(), NAME_Color);
	EXPECT_EQ(FName(TEXT("Color_2")).ToEName(), nullptr);
	EXPECT_EQ(FName(TEXT("HostNotHardcoded")).ToEName(), nullptr);
	EXPECT_TRUE(FName(TEXT("HostValid")).IsValid());

	constexpr int32 NumThreads = 4;
	constexpr int32 NumNames = 1500;
	std::vector<std::vector<FName>> PerThread(NumThreads);
	std::vector<std::thread> Threads;
	for (int32 ThreadIndex = 0; ThreadIndex < NumThreads; ++ThreadIndex)
	{
		Threads.emplace_back([ThreadIndex, &PerThread] {
			for (int32 Index = 0; Index < NumNames; ++Index)
			{
				// Alternate the casing per thread: all spellings must meet in one entry.
				const FString Text = FString::Printf(ThreadIndex % 2 ? TEXT("HOSTTHREAD_NAME%d") : TEXT("HostThread_Name%d"), Index);
				PerThread[static_cast<size_t>(ThreadIndex)].push_back(FName(*Text));
			}
		});
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	for (int32 Index = 0; Index < NumNames; ++Index)
	{
		const FName& First = PerThread[0][static_cast<size_t>(Index)];
		for (int32 ThreadIndex = 1; ThreadIndex < NumThreads; ++ThreadIndex)
		{
			ASSERT_EQ(PerThread[static_cast<size_t>(ThreadIndex)][static_cast<size_t>(Index)], First) << Index;
		}
		ASSERT_TRUE(First.ToString().Equals(FString::Printf(TEXT("HostThread_Name%d"), Index), ESearchCase::IgnoreCase));
	}
}

TEST(HostString, EditingHelpers)
{
	// The in-place editing members used when building labels and paths.
	FString S(TEXT("Lumen"));
	S.InsertAt(0, TEXT('['));
	S.InsertAt(S.Len(), FString(TEXT("]")));
	EXPECT_TRUE(S.Equals(TEXT("[Lumen]")));
	S.RemoveAt(1, 2);
	EXPECT_TRUE(S.Equals(TEXT("[men]")));
	EXPECT_TRUE(S.RemoveFromStart(TEXT("[")));
	EXPECT_TRUE(S.RemoveFromEnd(TEXT("]")));
	EXPECT_FALSE(S.RemoveFromEnd(TEXT("x")));
	EXPECT_TRUE(S.Equals(TEXT("men")));
	EXPECT_TRUE(S.LeftPad(5).Equals(TEXT("  men")));
	EXPECT_TRUE(S.RightPad(4).Equals(TEXT("men ")));
	EXPECT_TRUE(S.Reverse().Equals(TEXT("nem")));
	int32 Index = 0;
	EXPECT_TRUE(FString(TEXT("a/b/c")).FindChar(TEXT('/'), Index));
	EXPECT_EQ(Index, 1);
	EXPECT_TRUE(FString(TEXT("a/b/c")).FindLastChar(TEXT('/'), Index));
	EXPECT_EQ(Index, 3);
	EXPECT_FALSE(FString(TEXT("abc")).FindChar(TEXT('/'), Index));
	EXPECT_EQ(Index, INDEX_NONE);
	FString Chars(TEXT("a-b-c"));
	Chars.ReplaceCharInline(TEXT('-'), TEXT('+'));
	EXPECT_TRUE(Chars.Equals(TEXT("a+b+c")));
	EXPECT_TRUE(FString::Join(TArray<FString>({TEXT("x"), TEXT("y"), TEXT("z")}), TEXT(", ")).Equals(TEXT("x, y, z")));
	EXPECT_TRUE(FString::Join(TArray<FString>(), TEXT(",")).IsEmpty());
	FString Log(TEXT("t="));
	Log.Appendf(TEXT("%.1f"), 2.25);
	EXPECT_TRUE(Log.Equals(TEXT("t=2.2")) || Log.Equals(TEXT("t=2.3")));
	EXPECT_TRUE(FString(TEXT("Yes")).ToBool());
	EXPECT_TRUE(FString(TEXT("2")).ToBool());
	EXPECT_FALSE(FString(TEXT("off")).ToBool());
	EXPECT_TRUE(FString::ChrN(3, TEXT('z')).Equals(TEXT("zzz")));
	EXPECT_TRUE(FString(3, TEXT("abcdef")).Equals(TEXT("abc")));
}

TEST(HostStringDeathTest, CharacterIndexOutOfRangeIsFatal)
{
	// Indexing past the end of a string is a checked error, as in the engine.
	const FString S(TEXT("ab"));
	EXPECT_DEATH((void)S[2], "String index out of bounds");
	FString Mutable(TEXT("ab"));
	EXPECT_DEATH(Mutable.RemoveAt(1, 5), "out of bounds");
}

TEST(HostCString, ComparisonAndParsingHelpers)
{
	// FCString mirrors the C runtime with case folding limited to ASCII.
	EXPECT_EQ(FCString::Stricmp(TEXT("abc"), TEXT("ABC")), 0);
	EXPECT_LT(FCString::Stricmp(TEXT("abc"), TEXT("ABD")), 0);
	EXPECT_GT(FCString::Stricmp(TEXT("b"), TEXT("A")), 0);
	EXPECT_LT(FCString::Stricmp(TEXT("ab"), TEXT("abc")), 0);
	EXPECT_LT(FCString::Stricmp(TEXT("a_"), TEXT("aB")), 0) << "letters are lowered first, so '_' (0x5F) sorts before 'b' (0x62)";
	EXPECT_NE(FCString::Strcmp(TEXT("abc"), TEXT("ABC")), 0);
	EXPECT_EQ(FCString::Strnicmp(TEXT("HelloX"), TEXT("hellOY"), 5), 0);
	EXPECT_EQ(FCString::Strlen(TEXT("four")), 4);
	const TCHAR* Text = TEXT("Find the NEEDLE here");
	EXPECT_EQ(FCString::Strstr(Text, TEXT("NEEDLE")), Text + 9);
	EXPECT_EQ(FCString::Strstr(Text, TEXT("needle")), nullptr);
	EXPECT_EQ(FCString::Stristr(Text, TEXT("needle")), Text + 9);
	EXPECT_EQ(FCString::Strchr(Text, TEXT('t')), Text + 5);
	EXPECT_EQ(FCString::Strrchr(Text, TEXT('e')), Text + 19);

	TCHAR* End = nullptr;
	const TCHAR* Number = TEXT("0x1F rest");
	EXPECT_EQ(FCString::Strtoi(Number, &End, 16), 31);
	EXPECT_EQ(End, Number + 4);
	EXPECT_EQ(FCString::Atoi64(TEXT("-9000000000")), -9000000000LL);
	EXPECT_DOUBLE_EQ(FCString::Atod(TEXT("1e-3")), 1e-3);
	EXPECT_EQ(FCString::Atoi(TEXT("\u00e912")), 0) << "non-ASCII stops parsing";
	EXPECT_TRUE(FChar::IsWhitespace(TEXT('\u00a0')));
	EXPECT_EQ(FChar::ToUpper(TEXT('\u00e9')), TEXT('\u00e9')) << "case mapping is ASCII-only";
}

// ------------------------------------------------------------------------------------------------
// More containers
// ------------------------------------------------------------------------------------------------

TEST(HostArray, MoveOnlyElements)
{
	// Arrays of owning pointers must grow, sort and remove without copying.
	TArray<std::unique_ptr<int32>> Array;
	for (int32 Value : {5, 1, 4, 2, 3})
	{
		Array.Add(std::make_unique<int32>(Value));
	}
	Array.Emplace(std::make_unique<int32>(0));
	Array.Sort([](const std::unique_ptr<int32>& A, const std::unique_ptr<int32>& B) { return *A < *B; });
	for (int32 Index = 0; Index < Array.Num(); ++Index)
	{
		EXPECT_EQ(*Array[Index], Index);
	}
	EXPECT_EQ(Array.RemoveAll([](const std::unique_ptr<int32>& P) { return *P % 2 == 1; }), 3);
	ASSERT_EQ(Array.Num(), 3);
	EXPECT_EQ(*Array[2], 4);
	TArray<std::unique_ptr<int32>> Moved = MoveTemp(Array);
	EXPECT_EQ(Moved.Num(), 3);
	EXPECT_EQ(Array.Num(), 0) << "moved-from arrays are empty";
	std::unique_ptr<int32> Last = Moved.Pop();
	EXPECT_EQ(*Last, 4);
}

TEST(HostArray, InsertSwapAndInit)
{
	// The positional editing members keep every other element where it was.
	TArray<int32> Array;
	Array.Init(9, 3);
	EXPECT_EQ(Array, TArray<int32>({9, 9, 9}));
	Array.Insert({1, 2}, 1);
	EXPECT_EQ(Array, TArray<int32>({9, 1, 2, 9, 9}));
	Array.EmplaceAt(0, 0);
	Array.InsertDefaulted(6);
	EXPECT_EQ(Array, TArray<int32>({0, 9, 1, 2, 9, 9, 0}));
	Array.Swap(0, 6);
	Array.Swap(1, 2);
	EXPECT_EQ(Array, TArray<int32>({0, 1, 9, 2, 9, 9, 0}));
	EXPECT_EQ(Array.RemoveAllSwap([](const int32& V) { return V == 9; }), 3);
	EXPECT_EQ(Array.Num(), 4);
	EXPECT_FALSE(Array.Contains(9));
	TArray<int32> Other = {7, 8};
	Array.Append(MoveTemp(Other));
	EXPECT_EQ(Array.Last(), 8);
	EXPECT_TRUE(Other.IsEmpty());
	Array.SetNum(1);
	EXPECT_EQ(Array, TArray<int32>({0}));
	const TArray<int32> Copy = Array;
	Array[0] = 5;
	EXPECT_EQ(Copy[0], 0) << "copies are deep";
}

TEST(HostArray, StringElementsCompareWithoutCase)
{
	// Element lookups use the element's ==, so FString elements match regardless of case.
	TArray<FString> Names = {TEXT("Dawn"), TEXT("Noon")};
	EXPECT_TRUE(Names.Contains(TEXT("DAWN")));
	EXPECT_EQ(Names.IndexOfByKey(TEXT("noon")), 1);
	EXPECT_EQ(Names.AddUnique(TEXT("dawn")), 0);
	EXPECT_EQ(Names.Remove(TEXT("NOON")), 1);
	EXPECT_EQ(Names.Num(), 1);
}

TEST(HostMap, SortingValuesAndComparingMaps)
{
	// Value sorting reorders iteration; order-independent comparison ignores that order.
	TMap<FString, int32> Scores;
	Scores.Add(TEXT("b"), 2);
	Scores.Add(TEXT("a"), 3);
	Scores.Add(TEXT("c"), 1);
	Scores.ValueSort([](int32 A, int32 B) { return A < B; });
	TArray<int32> Values;
	Scores.GenerateValueArray(Values);
	EXPECT_EQ(Values, TArray<int32>({1, 2, 3}));
	EXPECT_EQ(Scores.FindRef(TEXT("a")), 3) << "lookups still work after sorting";

	TMap<FString, int32> Same;
	Same.Add(TEXT("A"), 3);
	Same.Add(TEXT("C"), 1);
	Same.Add(TEXT("B"), 2);
	EXPECT_TRUE(Scores.OrderIndependentCompareEqual(Same));
	Same.Add(TEXT("B"), 5);
	EXPECT_FALSE(Scores.OrderIndependentCompareEqual(Same));
	EXPECT_EQ(Same.FindAndRemoveChecked(TEXT("b")), 5);
	EXPECT_EQ(Same.Num(), 2);
}

TEST(HostMapDeathTest, MissingKeyIsFatalForCheckedLookups)
{
	// FindChecked and operator[] assert the key is present.
	TMap<int32, int32> Map;
	Map.Add(1, 1);
	EXPECT_DEATH((void)Map.FindChecked(2), "key not found");
	EXPECT_DEATH((void)Map[2], "key not found");
}

TEST(HostSet, IterationAndRemovalWhileIterating)
{
	// Sets iterate in insertion order and support removal through their iterator.
	TSet<int32> Set;
	for (int32 Value : {4, 8, 15, 16, 23, 42})
	{
		Set.Add(Value);
	}
	for (auto It = Set.CreateIterator(); It; ++It)
	{
		if (*It % 2 == 1)
		{
			It.RemoveCurrent();
		}
	}
	EXPECT_EQ(Set.Array(), TArray<int32>({4, 8, 16, 42}));
	Set.Sort([](int32 A, int32 B) { return A > B; });
	EXPECT_EQ(Set.Array(), TArray<int32>({42, 16, 8, 4}));
	EXPECT_TRUE(Set.Contains(16));
	Set.Empty();
	EXPECT_EQ(Set.Num(), 0);
	EXPECT_FALSE(Set.Contains(16));
}

// ------------------------------------------------------------------------------------------------
// More math
// ------------------------------------------------------------------------------------------------

TEST(HostMath, AngleHelpers)
{
	// Wrapping, deltas and clamping of angles as used for yaw and hour angles.
	EXPECT_FLOAT_EQ(FMath::FindDeltaAngleDegrees(350.f, 10.f), 20.f);
	EXPECT_FLOAT_EQ(FMath::FindDeltaAngleDegrees(10.f, 350.f), -20.f);
	EXPECT_FLOAT_EQ(FMath::ClampAngle(100.f, -90.f, 90.f), 90.f);
	EXPECT_FLOAT_EQ(FMath::ClampAngle(200.f, -90.f, 90.f), -90.f) << "200 is -160, nearer the -90 end";
	EXPECT_FLOAT_EQ(FMath::ClampAngle(-100.f, -90.f, 90.f), -90.f);
	EXPECT_FLOAT_EQ(FMath::ClampAngle(45.f, -90.f, 90.f), 45.f);
	EXPECT_NEAR(FMath::UnwindRadians(3.0 * UE_DOUBLE_PI), UE_DOUBLE_PI, 1e-12);
	EXPECT_DOUBLE_EQ(FMath::RadiansToDegrees(UE_DOUBLE_PI), 180.0);
	EXPECT_FLOAT_EQ(FMath::DegreesToRadians(90.f), UE_HALF_PI);
	EXPECT_EQ(FMath::Wrap(12, 0, 10), 2);
	EXPECT_EQ(FMath::Wrap(-3, 0, 10), 7);
	EXPECT_DOUBLE_EQ(FMath::GridSnap(7.4, 5.0), 5.0);
	EXPECT_DOUBLE_EQ(FMath::GridSnap(7.6, 5.0), 10.0);
	EXPECT_EQ(FMath::Sign(-3.5f), -1.f);
	EXPECT_EQ(FMath::Sign(0), 0);
	EXPECT_EQ(FMath::DivideAndRoundUp(10, 3), 4);
	EXPECT_EQ(TNumericLimits<int32>::Max(), MAX_int32);
	EXPECT_EQ(TNumericLimits<float>::Lowest(), -MAX_flt);
	EXPECT_EQ(TNumericLimits<uint8>::Max(), 255);
}

TEST(HostMath, RandomRangesStayInBounds)
{
	// Random helpers must respect their documented (inclusive or half-open) bounds.
	FMath::RandInit(1234);
	for (int32 Index = 0; Index < 2000; ++Index)
	{
		const float F = FMath::FRand();
		ASSERT_GE(F, 0.f);
		ASSERT_LT(F, 1.f);
		const int32 I = FMath::RandRange(-2, 2);
		ASSERT_GE(I, -2);
		ASSERT_LE(I, 2);
		const int32 H = FMath::RandHelper(3);
		ASSERT_GE(H, 0);
		ASSERT_LT(H, 3);
	}
}

TEST(HostQuat, RotationHelpers)
{
	// Quaternion helpers used for orienting lights: between-vectors, slerp, axis-angle.
	const FQuat Turn = FQuat::FindBetweenNormals(FVector::ForwardVector, FVector::RightVector);
	EXPECT_TRUE(Turn.RotateVector(FVector::ForwardVector).Equals(FVector::RightVector, 1e-9));
	const FQuat Opposite = FQuat::FindBetweenNormals(FVector::ForwardVector, FVector::BackwardVector);
	EXPECT_TRUE(Opposite.RotateVector(FVector::ForwardVector).Equals(FVector::BackwardVector, 1e-9)) << "opposite vectors still work";
	const FQuat Scaled = FQuat::FindBetweenVectors(FVector(5, 0, 0), FVector(0, 0, 2));
	EXPECT_TRUE(Scaled.RotateVector(FVector::ForwardVector).Equals(FVector::UpVector, 1e-9));

	const FQuat AxisAngle(FVector::UpVector, UE_DOUBLE_HALF_PI);
	EXPECT_TRUE(AxisAngle.Equals(FRotator(0, 90, 0).Quaternion(), 1e-12));
	EXPECT_NEAR(AxisAngle.GetAngle(), UE_DOUBLE_HALF_PI, 1e-12);
	EXPECT_TRUE(AxisAngle.GetRotationAxis().Equals(FVector::UpVector, 1e-12));
	EXPECT_TRUE(FQuat::Slerp(FQuat::Identity, AxisAngle, 0.0).Equals(FQuat::Identity, 1e-12));
	EXPECT_TRUE(FQuat::Slerp(FQuat::Identity, AxisAngle, 1.0).Equals(AxisAngle, 1e-12));
	EXPECT_NEAR(FQuat::Identity.AngularDistance(AxisAngle), UE_DOUBLE_HALF_PI, 1e-9);
	EXPECT_TRUE((AxisAngle * AxisAngle.Inverse()).IsIdentity(1e-12));
	EXPECT_TRUE(AxisAngle.Equals(-AxisAngle)) << "q and -q are the same rotation";
	const FQuat Composite = FRotator(0, 90, 0).Quaternion() * FRotator(90, 0, 0).Quaternion();
	EXPECT_TRUE(Composite.RotateVector(FVector::ForwardVector).Equals(FVector::UpVector, 1e-9)) << "right-hand factor applies first";
	EXPECT_TRUE(FQuat(ForceInit).IsIdentity());
	EXPECT_EQ(FQuat(ForceInitToZero).W, 0.0);
}

TEST(HostVector, GeometryHelpers)
{
	// Projection, mirroring and axis rotation as used for light directions.
	EXPECT_TRUE(FVector(1, 0, 0).RotateAngleAxis(90.0, FVector::UpVector).Equals(FVector(0, 1, 0), 1e-9));
	EXPECT_TRUE(FVector(1, 1, 0).MirrorByVector(FVector(0, 1, 0)).Equals(FVector(1, -1, 0)));
	EXPECT_TRUE(FVector(2, 3, 4).ProjectOnTo(FVector(0, 0, 2)).Equals(FVector(0, 0, 4)));
	EXPECT_TRUE(FVector(2, 3, 4).ProjectOnToNormal(FVector::UpVector).Equals(FVector(0, 0, 4)));
	EXPECT_TRUE(FVector::VectorPlaneProject(FVector(2, 3, 4), FVector::UpVector).Equals(FVector(2, 3, 0)));
	EXPECT_DOUBLE_EQ(FVector::PointPlaneDist(FVector(0, 0, 5), FVector(0, 0, 1), FVector::UpVector), 4.0);
	EXPECT_TRUE(FVector::Parallel(FVector::UpVector, FVector::DownVector));
	EXPECT_FALSE(FVector::Coincident(FVector::UpVector, FVector::DownVector));
	EXPECT_TRUE(FVector::Orthogonal(FVector::UpVector, FVector::RightVector));
	EXPECT_NEAR(FVector(0, 1, 0).HeadingAngle(), UE_DOUBLE_HALF_PI, 1e-12);
	EXPECT_TRUE(FVector(1, 2, 3).GetClampedToSize(10, 20).Equals(FVector(1, 2, 3).GetSafeNormal() * 10.0, 1e-9));
	EXPECT_TRUE(FVector(3, 4, 5).GetSafeNormal2D().Equals(FVector(0.6, 0.8, 0), 1e-12));
	EXPECT_EQ(FVector(1, 5, 3).GetMax(), 5);
	EXPECT_EQ(FVector(-7, 5, 3).GetAbsMax(), 7);
	EXPECT_EQ(FVector::Max(FVector(1, 5, 3), FVector(4, 2, 6)), FVector(4, 5, 6));
	EXPECT_EQ(FVector(FVector2D(1, 2), 3), FVector(1, 2, 3));
	EXPECT_EQ(FVector2D(FVector(1, 2, 3)), FVector2D(1, 2));
	EXPECT_TRUE(FVector(1, 1, 1).ContainsNaN() == false);
	EXPECT_TRUE(FVector(NAN, 0, 0).ContainsNaN());
	EXPECT_TRUE(FVector(1.5, -2, 0).ToString().Equals(TEXT("X=1.500 Y=-2.000 Z=0.000")));
	EXPECT_TRUE(FVector3f(FVector(1.5, 2.5, 3.5)).Equals(FVector3f(1.5f, 2.5f, 3.5f)));
}

TEST(HostVector, OtherVectorTypes)
{
	// 2D and 4D vectors and integer points with their own defaults and helpers.
	EXPECT_TRUE(FVector2D(1, 0).GetRotated(90.0).Equals(FVector2D(0, 1), 1e-9));
	EXPECT_DOUBLE_EQ(FVector2D(3, 4).Size(), 5.0);
	EXPECT_DOUBLE_EQ(FVector2D(1, 2) ^ FVector2D(3, 4), -2.0);
	EXPECT_TRUE(FVector2D(0, 0).GetSafeNormal().IsZero());
	EXPECT_EQ(FVector2D(1.4, 1.6).IntPoint(), FIntPoint(1, 2));
	EXPECT_TRUE(FMath::Vector2DInterpTo(FVector2D(0, 0), FVector2D(10, 0), 0.1f, 2.f).Equals(FVector2D(2, 0)));

	const FVector4 Default;
	EXPECT_EQ(Default, FVector4(0, 0, 0, 1)) << "FVector4's default is a point at the origin";
	EXPECT_EQ(FVector4(ForceInit), FVector4(0, 0, 0, 0));
	EXPECT_DOUBLE_EQ(Dot3(FVector4(1, 2, 3, 9), FVector4(1, 1, 1, 9)), 6.0);
	EXPECT_DOUBLE_EQ(Dot4(FVector4(1, 2, 3, 1), FVector4(1, 1, 1, 2)), 8.0);
	EXPECT_EQ(FVector(FVector4(1, 2, 3, 4)), FVector(1, 2, 3));

	const FIntPoint P(3, 4);
	EXPECT_EQ(P + FIntPoint(1, 1), FIntPoint(4, 5));
	EXPECT_EQ(P * 2, FIntPoint(6, 8));
	EXPECT_EQ(P.Size(), 5);
	EXPECT_EQ(FIntPoint::DivideAndRoundUp(FIntPoint(7, 8), 4), FIntPoint(2, 2));
	EXPECT_EQ(FIntPoint::NoneValue, FIntPoint(INDEX_NONE, INDEX_NONE));
	EXPECT_TRUE(P.ToString().Equals(TEXT("X=3 Y=4")));
}

// ------------------------------------------------------------------------------------------------
// More colour and utilities
// ------------------------------------------------------------------------------------------------

TEST(HostColor, ByteColourHelpers)
{
	// Hex parsing, saturating addition and the red-to-green scale of debug displays.
	EXPECT_EQ(FColor::FromHex(TEXT("F80")), FColor(255, 136, 0, 255));
	EXPECT_EQ(FColor::FromHex(TEXT("#11223344")), FColor(0x11, 0x22, 0x33, 0x44));
	EXPECT_EQ(FColor::FromHex(TEXT("GG0000")), FColor(0, 0, 0, 0)) << "bad digits give transparent black";
	EXPECT_TRUE(FColor(1, 2, 254, 255).ToHex().Equals(TEXT("0102FEFF")));
	FColor Sum(200, 10, 0, 255);
	Sum += FColor(100, 10, 0, 1);
	EXPECT_EQ(Sum, FColor(255, 20, 0, 255));
	EXPECT_EQ(FColor::MakeRedToGreenColorFromScalar(0.f), FColor(255, 0, 0));
	EXPECT_EQ(FColor::MakeRedToGreenColorFromScalar(0.5f), FColor(255, 255, 0));
	EXPECT_EQ(FColor::MakeRedToGreenColorFromScalar(1.f), FColor(0, 255, 0));
	EXPECT_EQ(FColor(10, 20, 30).WithAlpha(40), FColor(10, 20, 30, 40));
	EXPECT_EQ(FLinearColor(0.999f, 0.5f, 0.f, 1.f).QuantizeFloor(), FColor(255, 127, 0, 255));
	EXPECT_EQ(FColor(ForceInit).Bits, 0u);
	EXPECT_EQ(FColor::Orange, FColor(243, 156, 18));
}

TEST(HostColor, LinearColourHelpers)
{
	// Luminance, desaturation and the vector conversions (alpha 1 from 3D vectors).
	EXPECT_FLOAT_EQ(FLinearColor(1.f, 1.f, 1.f).GetLuminance(), 1.f);
	EXPECT_FLOAT_EQ(FLinearColor(0.f, 1.f, 0.f).ComputeLuminance(), 0.59f);
	const FLinearColor Grey = FLinearColor(1.f, 0.f, 0.f, 1.f).Desaturate(1.f);
	EXPECT_TRUE(Grey.Equals(FLinearColor(0.3f, 0.3f, 0.3f, 0.f))) << "full desaturation also lerps alpha to 0";
	EXPECT_EQ(FLinearColor(FVector3f(0.1f, 0.2f, 0.3f)), FLinearColor(0.1f, 0.2f, 0.3f, 1.f));
	EXPECT_EQ(FLinearColor(FVector(0.5, 0.25, 0.125)), FLinearColor(0.5f, 0.25f, 0.125f, 1.f));
	EXPECT_EQ(FVector(FLinearColor(0.5f, 0.25f, 0.125f, 0.f)), FVector(0.5, 0.25, 0.125));
	EXPECT_EQ(FLinearColor(0.2f, 0.8f, 0.5f, 0.1f).GetMax(), 0.8f);
	EXPECT_TRUE(FLinearColor(0.001f, 0.f, 0.f).IsAlmostBlack());
	EXPECT_FLOAT_EQ(FLinearColor::Dist(FLinearColor(0, 0, 0, 0), FLinearColor(1, 1, 1, 1)), 2.f);
	EXPECT_EQ(FLinearColor::MakeFromHSV8(0, 255, 255), FLinearColor(1.f, 0.f, 0.f, 1.f));
	EXPECT_EQ(FLinearColor::FromSRGBColor(FColor(255, 0, 0)), FLinearColor(1.f, 0.f, 0.f, 1.f));
	EXPECT_NEAR(FLinearColor::FromPow22Color(FColor(128, 0, 0)).R, std::pow(128.0 / 255.0, 2.2), 1e-6);
}

namespace
{
	struct FNode : TSharedFromThis<FNode>
	{
		int32 Value = 0;
		virtual ~FNode() = default;
	};
	struct FDerivedNode : FNode
	{
		int32 Extra = 7;
	};
}

TEST(HostUtility, SharedFromThisAndCasts)
{
	// Objects that hand out references to themselves, and casts between shared pointer types.
	TSharedRef<FDerivedNode> Derived = MakeShared<FDerivedNode>();
	TSharedRef<FNode> Base = Derived;
	EXPECT_EQ(Base.GetSharedReferenceCount(), 2);
	TSharedRef<FNode> Self = Base->AsShared();
	EXPECT_TRUE(Self == Base);
	EXPECT_EQ(StaticCastSharedRef<FDerivedNode>(Self)->Extra, 7);
	TSharedPtr<FNode> Shareable = MakeShareable(new FNode());
	EXPECT_TRUE(Shareable.IsValid());
	EXPECT_TRUE(Shareable->DoesSharedInstanceExist());
	TSharedPtr<FNode> Null;
	EXPECT_FALSE(Null);
	EXPECT_TRUE(Null == nullptr);
	Shareable = nullptr;
	EXPECT_FALSE(Shareable.IsValid());

	TOptional<FString> Optional;
	Optional.Emplace(TEXT("x"));
	EXPECT_TRUE(Optional == TOptional<FString>(FString(TEXT("X")))) << "compares through the value's ==";
	EXPECT_FALSE(Optional == TOptional<FString>());
	EXPECT_EQ(TOptional<int32>().GetPtrOrNull(), nullptr);
}

// The *_GetRef adders hand back the new element even when adding reallocates the storage.
TEST(HostArray, GetRefAddersSurviveReallocation)
{
	TArray<FString> Values;
	for (int32 Index = 0; Index < 64; ++Index)
	{
		FString& Added = (Index % 2) ? Values.AddDefaulted_GetRef() : Values.Add_GetRef(FString(TEXT("x")));
		Added += TEXT("!");
		EXPECT_EQ(&Added, &Values.Last()) << Index;
	}
	EXPECT_EQ(Values[0], FString(TEXT("x!")));
	EXPECT_EQ(Values[1], FString(TEXT("!")));
	FString& Emplaced = Values.Emplace_GetRef(TEXT("e"));
	EXPECT_EQ(&Emplaced, &Values.Last());
}
