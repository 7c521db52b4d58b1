#include "Math/Color.h"

#include <cmath>
#include <cstring>
#include <ostream>

// Generated from the formula in Color.h (evaluated in double, then rounded to float); the tests
// recompute every entry.
const float FLinearColor::sRGBToLinearTable[256] = {
	0.0f, 0.000303526991f, 0.000607053982f, 0.000910580973f, 0.00121410796f, 0.00151763496f, 0.00182116195f, 0.00212468882f,
	0.00242821593f, 0.0027317428f, 0.00303526991f, 0.00334653561f, 0.00367650716f, 0.00402471703f, 0.00439144205f, 0.00477695325f,
	0.00518151652f, 0.00560539123f, 0.00604883302f, 0.00651209056f, 0.00699541019f, 0.00749903172f, 0.00802319311f, 0.00856812578f,
	0.00913405884f, 0.00972121675f, 0.010329823f, 0.0109600937f, 0.0116122449f, 0.012286488f, 0.0129830325f, 0.0137020824f,
	0.0144438436f, 0.0152085144f, 0.0159962922f, 0.0168073755f, 0.0176419541f, 0.01850022f, 0.0193823613f, 0.0202885624f,
	0.0212190095f, 0.0221738853f, 0.0231533665f, 0.0241576321f, 0.0251868591f, 0.0262412224f, 0.0273208916f, 0.02842604f,
	0.0295568332f, 0.0307134427f, 0.0318960324f, 0.0331047662f, 0.0343398079f, 0.0356013142f, 0.0368894488f, 0.0382043719f,
	0.0395462364f, 0.0409151949f, 0.0423114114f, 0.0437350273f, 0.045186203f, 0.0466650873f, 0.048171822f, 0.0497065671f,
	0.0512694567f, 0.0528606474f, 0.054480277f, 0.0561284907f, 0.0578054301f, 0.0595112368f, 0.0612460524f, 0.0630100146f,
	0.064803265f, 0.0666259378f, 0.0684781671f, 0.0703600943f, 0.0722718462f, 0.0742135644f, 0.0761853829f, 0.078187421f,
	0.0802198201f, 0.0822827071f, 0.0843762085f, 0.0865004584f, 0.0886555836f, 0.0908417106f, 0.0930589586f, 0.0953074694f,
	0.097587347f, 0.0998987257f, 0.102241732f, 0.104616486f, 0.107023105f, 0.10946171f, 0.111932427f, 0.114435375f,
	0.116970666f, 0.119538426f, 0.122138768f, 0.124771819f, 0.127437681f, 0.130136475f, 0.13286832f, 0.135633335f,
	0.138431609f, 0.141263291f, 0.144128472f, 0.147027269f, 0.149959788f, 0.152926147f, 0.155926466f, 0.158960834f,
	0.162029371f, 0.165132195f, 0.168269396f, 0.171441093f, 0.174647406f, 0.177888408f, 0.18116425f, 0.18447499f,
	0.187820777f, 0.191201687f, 0.194617823f, 0.198069319f, 0.20155625f, 0.205078736f, 0.208636865f, 0.212230757f,
	0.215860501f, 0.219526201f, 0.223227963f, 0.226965874f, 0.230740041f, 0.23455058f, 0.238397568f, 0.242281124f,
	0.246201321f, 0.25015828f, 0.254152089f, 0.258182853f, 0.262250662f, 0.266355604f, 0.270497799f, 0.274677306f,
	0.278894275f, 0.283148736f, 0.287440836f, 0.291770637f, 0.296138257f, 0.300543785f, 0.304987311f, 0.309468925f,
	0.313988715f, 0.318546772f, 0.323143214f, 0.327778101f, 0.332451522f, 0.337163627f, 0.341914415f, 0.346704066f,
	0.351532608f, 0.356400132f, 0.361306787f, 0.366252601f, 0.371237665f, 0.376262128f, 0.38132602f, 0.386429429f,
	0.391572475f, 0.396755219f, 0.401977777f, 0.407240212f, 0.412542611f, 0.417885065f, 0.423267663f, 0.428690493f,
	0.434153646f, 0.439657182f, 0.445201188f, 0.450785786f, 0.456411034f, 0.462076992f, 0.467783809f, 0.473531485f,
	0.479320168f, 0.48514995f, 0.491020858f, 0.496932983f, 0.502886474f, 0.50888133f, 0.514917672f, 0.520995557f,
	0.527115107f, 0.533276379f, 0.539479494f, 0.545724452f, 0.552011371f, 0.558340371f, 0.564711511f, 0.571124852f,
	0.577580452f, 0.584078431f, 0.590618849f, 0.597201765f, 0.603827357f, 0.610495567f, 0.617206573f, 0.623960376f,
	0.630757153f, 0.637596846f, 0.644479692f, 0.651405632f, 0.658374786f, 0.665387273f, 0.672443151f, 0.679542482f,
	0.686685324f, 0.693871737f, 0.701101899f, 0.708375752f, 0.715693474f, 0.723055124f, 0.730460763f, 0.73791039f,
	0.745404184f, 0.752942204f, 0.760524511f, 0.768151164f, 0.775822222f, 0.783537805f, 0.791297913f, 0.799102724f,
	0.806952238f, 0.814846575f, 0.822785735f, 0.830769897f, 0.838799f, 0.846873224f, 0.854992628f, 0.863157213f,
	0.871367097f, 0.8796224f, 0.887923121f, 0.896269321f, 0.904661179f, 0.913098633f, 0.921581864f, 0.930110872f,
	0.938685715f, 0.947306514f, 0.955973327f, 0.964686215f, 0.973445296f, 0.982250571f, 0.991102099f, 1.0f,
};

const FLinearColor FLinearColor::White(1.f, 1.f, 1.f);
const FLinearColor FLinearColor::Gray(0.5f, 0.5f, 0.5f);
const FLinearColor FLinearColor::Black(0, 0, 0);
const FLinearColor FLinearColor::Transparent(0, 0, 0, 0);
const FLinearColor FLinearColor::Red(1.f, 0, 0);
const FLinearColor FLinearColor::Green(0, 1.f, 0);
const FLinearColor FLinearColor::Blue(0, 0, 1.f);
const FLinearColor FLinearColor::Yellow(1.f, 1.f, 0);

const FColor FColor::White(255, 255, 255);
const FColor FColor::Black(0, 0, 0);
const FColor FColor::Transparent(0, 0, 0, 0);
const FColor FColor::Red(255, 0, 0);
const FColor FColor::Green(0, 255, 0);
const FColor FColor::Blue(0, 0, 255);
const FColor FColor::Yellow(255, 255, 0);
const FColor FColor::Cyan(0, 255, 255);
const FColor FColor::Magenta(255, 0, 255);
const FColor FColor::Orange(243, 156, 18);
const FColor FColor::Purple(169, 7, 228);
const FColor FColor::Turquoise(26, 188, 156);
const FColor FColor::Silver(189, 195, 199);
const FColor FColor::Emerald(46, 204, 113);

namespace
{
	// Piecewise-linear sRGB encoder: 104 segments indexed by the float's exponent and top
	// mantissa bits; each entry packs (bias << 16 | scale).
	const uint32 SRGBEncodeTable[104] = {
		0x0073000d, 0x007a000d, 0x0080000d, 0x0087000d, 0x008d000d, 0x0094000d, 0x009a000d, 0x00a1000d,
		0x00a7001a, 0x00b4001a, 0x00c1001a, 0x00ce001a, 0x00da001a, 0x00e7001a, 0x00f4001a, 0x0101001a,
		0x010e0033, 0x01280033, 0x01410033, 0x015b0033, 0x01750033, 0x018f0033, 0x01a80033, 0x01c20033,
		0x01dc0067, 0x020f0067, 0x02430067, 0x02760067, 0x02aa0067, 0x02dd0067, 0x03110067, 0x03440067,
		0x037800ce, 0x03df00ce, 0x044600ce, 0x04ad00ce, 0x051400ce, 0x057b00c5, 0x05dd00bc, 0x063b00b5,
		0x06970158, 0x07420142, 0x07e30130, 0x087b0120, 0x090b0112, 0x09940106, 0x0a1700fc, 0x0a9500f2,
		0x0b0f01cb, 0x0bf401ae, 0x0ccb0195, 0x0d950180, 0x0e56016e, 0x0f0d015e, 0x0fbc0150, 0x10630143,
		0x11070264, 0x1238023e, 0x1357021d, 0x14660201, 0x156601e9, 0x165a01d3, 0x174401c0, 0x182401af,
		0x18fe0331, 0x1a9602fe, 0x1c1502d2, 0x1d7e02ad, 0x1ed4028d, 0x201a0270, 0x21520256, 0x227d0240,
		0x239f0443, 0x25c003fe, 0x27bf03c4, 0x29a10392, 0x2b6a0367, 0x2d1d0341, 0x2ebe031f, 0x304d0300,
		0x31d105b0, 0x34a80555, 0x37520507, 0x39d504c5, 0x3c37048b, 0x3e7c0458, 0x40a8042a, 0x42bd0401,
		0x44c20798, 0x488e071e, 0x4c1c06b6, 0x4f76065d, 0x52a50610, 0x55ac05cc, 0x5892058f, 0x5b590559,
		0x5e0c0a23, 0x631c0980, 0x67db08f6, 0x6c55087f, 0x70940818, 0x74a007bd, 0x787d076c, 0x7c330723,
	};

	uint32 FloatBits(float Value)
	{
		uint32 Bits;
		std::memcpy(&Bits, &Value, sizeof(Bits));
		return Bits;
	}

	uint8 LinearToSRGB8(float In)
	{
		const float AlmostOne = [] { const uint32 Bits = 0x3f7fffff; float F; std::memcpy(&F, &Bits, sizeof(F)); return F; }();
		const uint32 MinBits = (127 - 13) << 23;
		const float MinValue = [&] { float F; std::memcpy(&F, &MinBits, sizeof(F)); return F; }();

		if (!(In > MinValue)) // also catches NaN
		{
			In = MinValue;
		}
		if (In > AlmostOne)
		{
			In = AlmostOne;
		}
		const uint32 Bits = FloatBits(In);
		const uint32 Entry = SRGBEncodeTable[(Bits - MinBits) >> 20];
		const uint32 Bias = (Entry >> 16) << 9;
		const uint32 Scale = Entry & 0xffff;
		const uint32 Interp = (Bits >> 12) & 0xff;
		return static_cast<uint8>((Bias + Scale * Interp) >> 16);
	}

	int32 HexDigit(TCHAR C)
	{
		if (C >= u'0' && C <= u'9')
		{
			return C - u'0';
		}
		if (C >= u'a' && C <= u'f')
		{
			return C - u'a' + 10;
		}
		if (C >= u'A' && C <= u'F')
		{
			return C - u'A' + 10;
		}
		return -1;
	}
}

FColor FLinearColor::ToFColorSRGB() const
{
	return FColor(LinearToSRGB8(R), LinearToSRGB8(G), LinearToSRGB8(B), static_cast<uint8>(0.5f + Clamp01NansTo0(A) * 255.f));
}

FLinearColor FLinearColor::FromPow22Color(const FColor& Color)
{
	return FLinearColor(std::pow(Color.R / 255.0f, 2.2f), std::pow(Color.G / 255.0f, 2.2f), std::pow(Color.B / 255.0f, 2.2f),
		static_cast<float>(Color.A) * (1.0f / 255.0f));
}

FLinearColor FLinearColor::LinearRGBToHSV() const
{
	const float RGBMin = FMath::Min3(R, G, B);
	const float RGBMax = FMath::Max3(R, G, B);
	const float RGBRange = RGBMax - RGBMin;

	const float Hue = (RGBMax == RGBMin ? 0.0f
		: RGBMax == R					? FMath::Fmod((((G - B) / RGBRange) * 60.0f) + 360.0f, 360.0f)
		: RGBMax == G					? (((B - R) / RGBRange) * 60.0f) + 120.0f
		: RGBMax == B					? (((R - G) / RGBRange) * 60.0f) + 240.0f
										: 0.0f);
	const float Saturation = (RGBMax == 0.0f ? 0.0f : RGBRange / RGBMax);
	const float Value = RGBMax;
	return FLinearColor(Hue, Saturation, Value, A);
}

namespace
{
	uint32 HueSector(const float HDiv60Floor)
	{
		constexpr float TwoToThe63 = 9223372036854775808.0f;
		if (!(std::fabs(HDiv60Floor) < TwoToThe63))
		{
			return 0;
		}
		return static_cast<uint32>(static_cast<uint64>(static_cast<int64>(HDiv60Floor))) % 6;
	}
}

FLinearColor FLinearColor::HSVToLinearRGB() const
{
	const float Hue = R;
	const float Saturation = G;
	const float Value = B;

	const float HDiv60 = Hue / 60.0f;
	const float HDiv60Floor = std::floor(HDiv60);
	const float HDiv60Fraction = HDiv60 - HDiv60Floor;

	const float RGBValues[4] = {
		Value,
		Value * (1.0f - Saturation),
		Value * (1.0f - (HDiv60Fraction * Saturation)),
		Value * (1.0f - ((1.0f - HDiv60Fraction) * Saturation)),
	};
	const uint32 RGBSwizzle[6][3] = {
		{0, 3, 1},
		{2, 0, 1},
		{1, 0, 3},
		{1, 2, 0},
		{3, 1, 0},
		{0, 1, 2},
	};
	// The engine casts the sector straight to uint32, undefined for a negative, huge or NaN hue. The
	// same sector for every hue in range; outside it, the wrap an x86-64 build produces (NaN: sector 0).
	const uint32 SwizzleIndex = HueSector(HDiv60Floor);
	return FLinearColor(RGBValues[RGBSwizzle[SwizzleIndex][0]], RGBValues[RGBSwizzle[SwizzleIndex][1]], RGBValues[RGBSwizzle[SwizzleIndex][2]], A);
}

FLinearColor FLinearColor::LerpUsingHSV(const FLinearColor& From, const FLinearColor& To, const float Progress)
{
	const FLinearColor FromHSV = From.LinearRGBToHSV();
	const FLinearColor ToHSV = To.LinearRGBToHSV();

	float FromHue = FromHSV.R;
	float ToHue = ToHSV.R;

	// Take the shorter way round the hue circle.
	if (FMath::Abs(FromHue - ToHue) > 180.0f)
	{
		if (ToHue > FromHue)
		{
			FromHue += 360.0f;
		}
		else
		{
			ToHue += 360.0f;
		}
	}

	float NewHue = FMath::Lerp(FromHue, ToHue, Progress);
	NewHue = FMath::Fmod(NewHue, 360.0f);
	if (NewHue < 0.0f)
	{
		NewHue += 360.0f;
	}

	const float NewSaturation = FMath::Lerp(FromHSV.G, ToHSV.G, Progress);
	const float NewValue = FMath::Lerp(FromHSV.B, ToHSV.B, Progress);
	FLinearColor Interpolated = FLinearColor(NewHue, NewSaturation, NewValue).HSVToLinearRGB();

	const float NewAlpha = FMath::Lerp(From.A, To.A, Progress);
	Interpolated.A = NewAlpha;
	return Interpolated;
}

FLinearColor FLinearColor::MakeFromHSV8(uint8 H, uint8 S, uint8 V)
{
	return FLinearColor(static_cast<float>(H) * 360.0f / 255.0f, static_cast<float>(S) / 255.0f, static_cast<float>(V) / 255.0f).HSVToLinearRGB();
}

FLinearColor FLinearColor::MakeFromColorTemperature(float Temp)
{
	Temp = FMath::Clamp(Temp, 1000.0f, 15000.0f);

	// Approximate Planckian locus in CIE 1960 UCS (Krystek's rational fit).
	const float u = (0.860117757f + 1.54118254e-4f * Temp + 1.28641212e-7f * Temp * Temp) / (1.0f + 8.42420235e-4f * Temp + 7.08145163e-7f * Temp * Temp);
	const float v = (0.317398726f + 4.22806245e-5f * Temp + 4.20481691e-8f * Temp * Temp) / (1.0f - 2.89741816e-5f * Temp + 1.61456053e-7f * Temp * Temp);

	const float x = 3.0f * u / (2.0f * u - 8.0f * v + 4.0f);
	const float y = 2.0f * v / (2.0f * u - 8.0f * v + 4.0f);
	const float z = 1.0f - x - y;

	const float Y = 1.0f;
	const float X = Y / y * x;
	const float Z = Y / y * z;

	// XYZ to RGB with BT.709 primaries.
	const float R = 3.2404542f * X + -1.5371385f * Y + -0.4985314f * Z;
	const float G = -0.9692660f * X + 1.8760108f * Y + 0.0415560f * Z;
	const float B = 0.0556434f * X + -0.2040259f * Y + 1.0572252f * Z;

	return FLinearColor(R, G, B);
}

FLinearColor FLinearColor::MakeRandomColor()
{
	const uint8 Hue = static_cast<uint8>(FMath::FRand() * 255.f);
	return MakeFromHSV8(Hue, 255, 255);
}

FColor FColor::FromHex(const FString& HexString)
{
	const int32 Start = (!HexString.IsEmpty() && HexString[0] == u'#') ? 1 : 0;
	const int32 Len = HexString.Len() - Start;
	int32 Digits[8];
	if (Len != 3 && Len != 6 && Len != 8)
	{
		return FColor(0, 0, 0, 0);
	}
	for (int32 Index = 0; Index < Len; ++Index)
	{
		Digits[Index] = HexDigit(HexString[Start + Index]);
		if (Digits[Index] < 0)
		{
			return FColor(0, 0, 0, 0);
		}
	}
	if (Len == 3)
	{
		return FColor(static_cast<uint8>(Digits[0] * 17), static_cast<uint8>(Digits[1] * 17), static_cast<uint8>(Digits[2] * 17), 255);
	}
	auto Byte = [&Digits](int32 Index) { return static_cast<uint8>(Digits[Index] * 16 + Digits[Index + 1]); };
	return FColor(Byte(0), Byte(2), Byte(4), Len == 8 ? Byte(6) : 255);
}

FColor FColor::MakeRandomColor()
{
	return FLinearColor::MakeRandomColor().ToFColor(true);
}

FColor FColor::MakeRedToGreenColorFromScalar(float Scalar)
{
	const float RedScalar = FMath::Clamp<float>((1.0f - Scalar) / 0.5f, 0.f, 1.f);
	const float GreenScalar = FMath::Clamp<float>(Scalar / 0.5f, 0.f, 1.f);
	const int32 Red = FMath::TruncToInt(255 * RedScalar);
	const int32 Green = FMath::TruncToInt(255 * GreenScalar);
	return FColor(static_cast<uint8>(Red), static_cast<uint8>(Green), 0);
}

void PrintTo(const FLinearColor& Value, std::ostream* Os)
{
	*Os << "FLinearColor(R=" << Value.R << ", G=" << Value.G << ", B=" << Value.B << ", A=" << Value.A << ")";
}

void PrintTo(const FColor& Value, std::ostream* Os)
{
	*Os << "FColor(R=" << int(Value.R) << ", G=" << int(Value.G) << ", B=" << int(Value.B) << ", A=" << int(Value.A) << ")";
}
