// The previewer's pictures of a day: the clock under each view, which way each view faces, the
// filmstrip's layout, and a page whose embedded data cannot break out of its script element.
#include "CoreMinimal.h"
#include "DayDrawing.h"
#include "DayPage.h"
#include "DayViews.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
	struct FClockCase
	{
		double Time;
		const char* Expected;
	};

	class DayClock : public testing::TestWithParam<FClockCase>
	{
	};

	// The clock under a frame must read as a person reads a clock: the day's end is 24:00, later days restart at 00:00.
	TEST_P(DayClock, ReadsAsAClock)
	{
		EXPECT_EQ(FormatClock(GetParam().Time), GetParam().Expected) << "time " << GetParam().Time;
	}

	INSTANTIATE_TEST_SUITE_P(Times, DayClock,
		testing::Values(FClockCase{0.0, "00:00"}, FClockCase{0.5, "12:00"}, FClockCase{0.75, "18:00"}, FClockCase{1.0, "24:00"}, FClockCase{1.25, "06:00"},
			FClockCase{2.0, "24:00"}, FClockCase{0.999999, "24:00"}, FClockCase{0.0003, "00:00"}, FClockCase{0.0004, "00:01"}));

	FDirectionalLightRenderState Light(int Index, const FVector3d& Direction)
	{
		FDirectionalLightRenderState State;
		State.AtmosphereLightIndex = Index;
		State.Light.Direction = Direction.GetSafeNormal();
		return State;
	}

	// A view faces the light that makes the moment's colours: the sun through twilight, then the moon.
	TEST(DayViewFacing, FacesTheSunUntilItIsDeepBelowTheHorizonThenTheMoon)
	{
		FSceneRenderState Scene;
		Scene.Lights = {Light(0, FVector3d(0.0, 1.0, 0.2)), Light(1, FVector3d(-1.0, 0.0, 0.5))};
		EXPECT_NEAR(ViewYawFor(Scene, 0.0), 90.0, 1e-9) << "sun up";

		Scene.Lights[0].Light.Direction = FVector3d(0.0, 1.0, -0.1).GetSafeNormal();
		EXPECT_NEAR(ViewYawFor(Scene, 0.0), 90.0, 1e-9) << "sun just below the horizon: twilight is on its side";

		Scene.Lights[0].Light.Direction = FVector3d(0.0, 1.0, -0.8).GetSafeNormal();
		EXPECT_NEAR(ViewYawFor(Scene, 0.0), 180.0, 1e-9) << "sun deep below: the moon";

		Scene.Lights[1].bVisible = false;
		EXPECT_NEAR(ViewYawFor(Scene, 0.0), 90.0, 1e-9) << "moon off: back to the sun's side";

		Scene.Lights.clear();
		EXPECT_EQ(ViewYawFor(Scene, 42.0), 42.0) << "no light: the view keeps its heading";
	}

	FRenderedView SolidView(int Width, int Height, uint8_t R, uint8_t G, uint8_t B)
	{
		FRenderedView View;
		View.Width = Width;
		View.Height = Height;
		for (int Pixel = 0; Pixel < Width * Height; ++Pixel)
		{
			View.Srgb8.insert(View.Srgb8.end(), {R, G, B});
		}
		return View;
	}

	std::vector<FDirectorSnapshot> Moments(int Count)
	{
		std::vector<FDirectorSnapshot> Result(static_cast<size_t>(Count));
		for (int Index = 0; Index < Count; ++Index)
		{
			Result[Index].Time = static_cast<double>(Index) / (Count - 1);
			Result[Index].Sun.Altitude = 40.0 * std::sin(Result[Index].Time * 6.283);
			Result[Index].Look = TEXT("Day");
		}
		return Result;
	}

	// The filmstrip is the views themselves, pixel for pixel, at the size its layout promises.
	TEST(DayFilmstrip, HoldsEveryViewAtItsPlaceAndTheChartBeneath)
	{
		const std::vector<FDirectorSnapshot> Rows = Moments(6);
		std::vector<FRenderedView> Views;
		for (int Index = 0; Index < 6; ++Index)
		{
			Views.push_back(SolidView(40, 20, static_cast<uint8_t>(40 * Index), 200, 10));
		}
		const std::string Path = (std::filesystem::temp_directory_path() / ("lumarch-strip-" + std::to_string(getpid()) + ".png")).string();
		std::string Error;
		ASSERT_TRUE(WriteDayFilmstripPng(Path, Rows, Views, Error)) << Error;

		cairo_surface_t* Image = cairo_image_surface_create_from_png(Path.c_str());
		ASSERT_EQ(cairo_surface_status(Image), CAIRO_STATUS_SUCCESS);
		const FFilmstripSize Size = FilmstripSize(6, 40, 20);
		EXPECT_EQ(cairo_image_surface_get_width(Image), static_cast<int>(Size.Width));
		EXPECT_EQ(cairo_image_surface_get_height(Image), static_cast<int>(Size.Height));
		const uint32_t* Pixels = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(Image));
		const int Stride = cairo_image_surface_get_stride(Image) / 4;
		// The second frame sits one frame and one gap to the right of the first, which starts a gap in.
		const uint32_t Second = Pixels[10 * Stride + 6 + 46 + 20] & 0xFFFFFF;
		EXPECT_EQ(Second, (40u << 16) | (200u << 8) | 10u) << std::hex << Second;
		cairo_surface_destroy(Image);
		std::filesystem::remove(Path);
	}

	// Writing is all or nothing: a folder that does not exist leaves no file and says why.
	TEST(DayFilmstrip, UnwritablePathIsRefusedWithAReason)
	{
		std::string Error;
		EXPECT_FALSE(WriteDayFilmstripPng("/nonexistent-folder/day.png", Moments(2), {SolidView(4, 2, 0, 0, 0), SolidView(4, 2, 0, 0, 0)}, Error));
		EXPECT_FALSE(Error.empty());
		EXPECT_FALSE(std::filesystem::exists("/nonexistent-folder/day.png"));
	}

	// A look may be named anything: its name must neither end the data's script element nor the page's markup.
	TEST(DayPageText, NamesCannotBreakOutOfThePage)
	{
		FDayPage Page;
		Page.Title = "Dusk <b>bold</b> & co";
		Page.Moments = Moments(3);
		Page.Moments[1].Look = TEXT("</script><script>alert(1)</script>");
		Page.Views = {SolidView(4, 2, 1, 2, 3), SolidView(4, 2, 1, 2, 3), SolidView(4, 2, 1, 2, 3)};
		Page.Table.Columns = {"look"};
		Page.Table.Rows = {{"Day"}, {"</script>"}, {"Day"}};
		const std::string Html = MakeDayPage(Page);

		EXPECT_EQ(Html.find("alert(1)</script>"), std::string::npos) << "the name closed the data's script element";
		EXPECT_NE(Html.find("<title>Dusk &lt;b&gt;bold&lt;/b&gt; &amp; co</title>"), std::string::npos);
		size_t Images = 0;
		for (size_t At = Html.find("data:image/png;base64,"); At != std::string::npos; At = Html.find("data:image/png;base64,", At + 1))
		{
			++Images;
		}
		EXPECT_EQ(Images, 4u) << "one view per moment and the chart";
		EXPECT_EQ(Html.find("://"), std::string::npos) << "the page reaches for nothing outside itself";
	}
}
