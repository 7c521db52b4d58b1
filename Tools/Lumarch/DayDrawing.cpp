// One drawing code for every picture of the day: the chart is drawn on a cairo context, which is an
// SVG surface for --svg and an image surface under the filmstrip for --png. Files are produced in
// memory and written whole (OutputFile.h), so a failed run leaves nothing half-written.
#include "DayDrawing.h"
#include "OutputFile.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
	struct FRgb
	{
		double R, G, B;
	};

	constexpr FRgb SunColour{0.88, 0.48, 0.0};
	constexpr FRgb MoonColour{0.36, 0.44, 0.66};
	constexpr FRgb ExposureColour{0.45, 0.25, 0.6};
	constexpr FRgb FogColour{0.3, 0.55, 0.45};
	constexpr FRgb SkyLightColour{0.2, 0.5, 0.85};

	FRgb LookColour(const std::string& Look)
	{
		if (Look == "Day")
		{
			return {0.95, 0.89, 0.63};
		}
		if (Look == "DawnDusk")
		{
			return {0.94, 0.69, 0.53};
		}
		if (Look == "Night")
		{
			return {0.17, 0.23, 0.36};
		}
		return {0.8, 0.8, 0.8};
	}

	void SetColour(cairo_t* Cr, const FRgb& Colour, double Alpha = 1.0)
	{
		cairo_set_source_rgba(Cr, Colour.R, Colour.G, Colour.B, Alpha);
	}

	enum class EAlign
	{
		Left,
		Centre,
		Right,
	};

	void DrawText(cairo_t* Cr, double X, double Y, const std::string& Text, EAlign Align = EAlign::Left)
	{
		cairo_text_extents_t Extents;
		cairo_text_extents(Cr, Text.c_str(), &Extents);
		const double Shift = Align == EAlign::Left ? 0.0 : Align == EAlign::Centre ? Extents.x_advance / 2.0 : Extents.x_advance;
		cairo_move_to(Cr, X - Shift, Y);
		cairo_show_text(Cr, Text.c_str());
	}

	std::string Format(const char* Pattern, double Value)
	{
		char Text[64];
		std::snprintf(Text, sizeof(Text), Pattern, Value);
		return Text;
	}

	/** Maps the day onto a horizontal span and a value range onto a vertical one. */
	struct FPanel
	{
		double Left, Right, Top, Bottom;
		double Start, Span;
		double Min, Max;

		double X(double Time) const { return Left + (Time - Start) / Span * (Right - Left); }
		double Y(double Value) const { return Bottom - (Value - Min) / std::max(Max - Min, 1e-9) * (Bottom - Top); }
	};

	template <class ValueOf>
	void DrawCurve(cairo_t* Cr, const FPanel& Panel, const std::vector<FDirectorSnapshot>& Rows, const FRgb& Colour, ValueOf Value)
	{
		SetColour(Cr, Colour);
		cairo_set_line_width(Cr, 2.0);
		for (size_t Index = 0; Index < Rows.size(); ++Index)
		{
			const double X = Panel.X(Rows[Index].Time);
			const double Y = Panel.Y(Value(Index));
			Index == 0 ? cairo_move_to(Cr, X, Y) : cairo_line_to(Cr, X, Y);
		}
		cairo_stroke(Cr);
	}

	void DrawLegend(cairo_t* Cr, double X, double Y, const FRgb& Colour, const std::string& Text)
	{
		SetColour(Cr, Colour);
		cairo_set_line_width(Cr, 2.5);
		cairo_move_to(Cr, X, Y - 4.0);
		cairo_line_to(Cr, X + 22.0, Y - 4.0);
		cairo_stroke(Cr);
		cairo_set_source_rgb(Cr, 0.1, 0.1, 0.1);
		DrawText(Cr, X + 28.0, Y, Text);
	}

	void DrawFrame(cairo_t* Cr, const FPanel& Panel, const std::string& Title)
	{
		cairo_set_source_rgb(Cr, 0.55, 0.55, 0.55);
		cairo_set_line_width(Cr, 1.0);
		cairo_rectangle(Cr, Panel.Left, Panel.Top, Panel.Right - Panel.Left, Panel.Bottom - Panel.Top);
		cairo_stroke(Cr);
		cairo_set_source_rgb(Cr, 0.1, 0.1, 0.1);
		DrawText(Cr, Panel.Left + 6.0, Panel.Top + 14.0, Title);
	}

	constexpr double ChartWidth = 960.0;
	constexpr double ChartHeight = 600.0;
	constexpr double ChartLeft = 70.0;
	constexpr double ChartRight = 920.0;

	/** The chart, in a ChartWidth x ChartHeight box at the context's origin. */
	void DrawDayChart(cairo_t* Cr, const std::vector<FDirectorSnapshot>& Rows, const std::vector<FRenderedView>& Views)
	{
		cairo_select_font_face(Cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
		cairo_set_font_size(Cr, 12.0);
		cairo_set_source_rgb(Cr, 1.0, 1.0, 1.0);
		cairo_rectangle(Cr, 0.0, 0.0, ChartWidth, ChartHeight);
		cairo_fill(Cr);

		const double Start = Rows.front().Time;
		const double Span = std::max(Rows.back().Time - Start, 1e-9);
		constexpr double Left = ChartLeft;
		constexpr double Right = ChartRight;

		// Altitudes over bands of the dominant look.
		double Largest = 10.0;
		for (const FDirectorSnapshot& Row : Rows)
		{
			Largest = std::max({Largest, std::fabs(Row.Sun.Altitude), std::fabs(Row.Moon.Altitude)});
		}
		const double Range = std::ceil(Largest / 10.0) * 10.0;
		const FPanel Altitude{Left, Right, 36.0, 276.0, Start, Span, -Range, Range};
		for (size_t Index = 0; Index + 1 < Rows.size(); ++Index)
		{
			SetColour(Cr, LookColour(TCHAR_TO_UTF8(*Rows[Index].Look)), 0.55);
			cairo_rectangle(Cr, Altitude.X(Rows[Index].Time), Altitude.Top, Altitude.X(Rows[Index + 1].Time) - Altitude.X(Rows[Index].Time), Altitude.Bottom - Altitude.Top);
			cairo_fill(Cr);
		}
		cairo_set_source_rgb(Cr, 0.35, 0.35, 0.35);
		const double Dashes[] = {4.0, 3.0};
		cairo_set_dash(Cr, Dashes, 2, 0.0);
		cairo_set_line_width(Cr, 1.0);
		cairo_move_to(Cr, Left, Altitude.Y(0.0));
		cairo_line_to(Cr, Right, Altitude.Y(0.0));
		cairo_stroke(Cr);
		cairo_set_dash(Cr, nullptr, 0, 0.0);
		cairo_set_source_rgb(Cr, 0.1, 0.1, 0.1);
		for (const double Value : {-Range, 0.0, Range})
		{
			DrawText(Cr, Left - 6.0, Altitude.Y(Value) + 4.0, Format("%.0f\u00b0", Value), EAlign::Right);
		}
		DrawCurve(Cr, Altitude, Rows, SunColour, [&](size_t Index) { return Rows[Index].Sun.Altitude; });
		DrawCurve(Cr, Altitude, Rows, MoonColour, [&](size_t Index) { return Rows[Index].Moon.Altitude; });
		DrawFrame(Cr, Altitude, "Sun and moon altitude, on the look that dominates each moment");

		// Exposure: the range the director allows and, where views were rendered, what the camera chose.
		double MinEV = 0.0;
		double MaxEV = 0.0;
		for (size_t Index = 0; Index < Rows.size(); ++Index)
		{
			MinEV = std::min({MinEV, static_cast<double>(Rows[Index].MinEV100), Index < Views.size() ? Views[Index].ExposureEV100 : 0.0});
			MaxEV = std::max({MaxEV, static_cast<double>(Rows[Index].MaxEV100), Index < Views.size() ? Views[Index].ExposureEV100 : 0.0});
		}
		const FPanel Exposure{Left, Right, 296.0, 436.0, Start, Span, std::floor(MinEV) - 1.0, std::ceil(MaxEV) + 1.0};
		SetColour(Cr, ExposureColour, 0.18);
		for (size_t Index = 0; Index < Rows.size(); ++Index)
		{
			const double X = Exposure.X(Rows[Index].Time);
			Index == 0 ? cairo_move_to(Cr, X, Exposure.Y(Rows[Index].MaxEV100)) : cairo_line_to(Cr, X, Exposure.Y(Rows[Index].MaxEV100));
		}
		for (size_t Index = Rows.size(); Index-- > 0;)
		{
			cairo_line_to(Cr, Exposure.X(Rows[Index].Time), Exposure.Y(Rows[Index].MinEV100));
		}
		cairo_close_path(Cr);
		cairo_fill(Cr);
		if (Views.size() == Rows.size())
		{
			DrawCurve(Cr, Exposure, Rows, ExposureColour, [&](size_t Index) { return Views[Index].ExposureEV100; });
		}
		cairo_set_source_rgb(Cr, 0.1, 0.1, 0.1);
		for (const double Value : {Exposure.Min, Exposure.Max})
		{
			DrawText(Cr, Left - 6.0, Exposure.Y(Value) + 4.0, Format("%.0f", Value), EAlign::Right);
		}
		DrawFrame(Cr, Exposure, Views.size() == Rows.size() ? "Exposure (EV100): the allowed range and the camera's choice" : "Exposure range (EV100)");

		// Fog density and sky light intensity, each on its own scale from 0 to its largest value.
		double MaxFog = 1e-6;
		double MaxSky = 1e-6;
		for (const FDirectorSnapshot& Row : Rows)
		{
			MaxFog = std::max(MaxFog, static_cast<double>(Row.FogDensity));
			MaxSky = std::max(MaxSky, static_cast<double>(Row.SkyLightIntensity));
		}
		const FPanel Fog{Left, Right, 456.0, 556.0, Start, Span, 0.0, MaxFog};
		const FPanel Sky{Left, Right, 456.0, 556.0, Start, Span, 0.0, MaxSky};
		DrawCurve(Cr, Fog, Rows, FogColour, [&](size_t Index) { return Rows[Index].FogDensity; });
		DrawCurve(Cr, Sky, Rows, SkyLightColour, [&](size_t Index) { return Rows[Index].SkyLightIntensity; });
		SetColour(Cr, FogColour);
		DrawText(Cr, Left - 6.0, Fog.Top + 4.0, Format("%.3g", MaxFog), EAlign::Right);
		SetColour(Cr, SkyLightColour);
		DrawText(Cr, Right + 6.0, Sky.Top + 4.0, Format("%.3g", MaxSky));
		DrawFrame(Cr, Fog, "Fog density and sky light intensity");

		// Hour marks every three hours of each day shown.
		cairo_set_source_rgb(Cr, 0.1, 0.1, 0.1);
		for (double Hour = std::ceil(Start * 8.0 - 1e-9) / 8.0; Hour <= Rows.back().Time + 1e-9; Hour += 0.125)
		{
			const double X = Altitude.X(Hour);
			cairo_move_to(Cr, X, Fog.Bottom);
			cairo_line_to(Cr, X, Fog.Bottom + 5.0);
			cairo_stroke(Cr);
			DrawText(Cr, X, Fog.Bottom + 18.0, Hour > Start ? FormatClock(Hour) : std::string("00:00"), EAlign::Centre);
		}

		const double LegendY = ChartHeight - 8.0;
		DrawLegend(Cr, Left, LegendY, SunColour, "sun");
		DrawLegend(Cr, Left + 70.0, LegendY, MoonColour, "moon");
		DrawLegend(Cr, Left + 150.0, LegendY, ExposureColour, "exposure");
		DrawLegend(Cr, Left + 250.0, LegendY, FogColour, "fog density");
		DrawLegend(Cr, Left + 370.0, LegendY, SkyLightColour, "sky light");
		double LegendX = Left + 480.0;
		for (const char* Look : {"Day", "DawnDusk", "Night"})
		{
			SetColour(Cr, LookColour(Look), 0.55);
			cairo_rectangle(Cr, LegendX, LegendY - 9.0, 18.0, 10.0);
			cairo_fill(Cr);
			cairo_set_source_rgb(Cr, 0.1, 0.1, 0.1);
			DrawText(Cr, LegendX + 24.0, LegendY, std::string(Look) + " look");
			LegendX += 120.0;
		}
	}

	constexpr double Gap = 6.0;
	constexpr double ClockHeight = 18.0;

	/** As many frames across as fit the chart's width, at least four. */
	int FilmstripColumns(int FrameWidth)
	{
		return std::max(4, static_cast<int>((ChartWidth - Gap) / (FrameWidth + Gap)));
	}

	cairo_status_t AppendBytes(void* Closure, const unsigned char* Data, unsigned int Length)
	{
		static_cast<std::string*>(Closure)->append(reinterpret_cast<const char*>(Data), Length);
		return CAIRO_STATUS_SUCCESS;
	}

	/** Ends a drawn surface as PNG or SVG bytes (SVG bytes were streamed into Bytes while drawing); false with cairo's reason. */
	bool FinishSurface(cairo_surface_t* Surface, bool bPng, std::string& Bytes, std::string& OutError)
	{
		cairo_status_t Status = cairo_surface_status(Surface);
		if (Status == CAIRO_STATUS_SUCCESS)
		{
			if (bPng)
			{
				Status = cairo_surface_write_to_png_stream(Surface, &AppendBytes, &Bytes);
			}
			else
			{
				cairo_surface_finish(Surface);
				Status = cairo_surface_status(Surface);
			}
		}
		cairo_surface_destroy(Surface);
		if (Status != CAIRO_STATUS_SUCCESS)
		{
			OutError = cairo_status_to_string(Status);
			return false;
		}
		return true;
	}

	/** Copies a view's sRGB triplets into an image surface (cairo's native-endian xRGB). */
	cairo_surface_t* MakeViewSurface(const FRenderedView& View)
	{
		cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, View.Width, View.Height);
		cairo_surface_flush(Surface);
		unsigned char* Data = cairo_image_surface_get_data(Surface);
		const int Stride = cairo_image_surface_get_stride(Surface);
		for (int Y = 0; Y < View.Height; ++Y)
		{
			uint32_t* Line = reinterpret_cast<uint32_t*>(Data + static_cast<size_t>(Y) * Stride);
			const uint8_t* Source = View.Srgb8.data() + static_cast<size_t>(Y) * View.Width * 3;
			for (int X = 0; X < View.Width; ++X)
			{
				Line[X] = (uint32_t(Source[3 * X]) << 16) | (uint32_t(Source[3 * X + 1]) << 8) | uint32_t(Source[3 * X + 2]);
			}
		}
		cairo_surface_mark_dirty(Surface);
		return Surface;
	}
}

FFilmstripSize FilmstripSize(int Frames, int FrameWidth, int FrameHeight)
{
	const int Columns = FilmstripColumns(FrameWidth);
	const double Rows = static_cast<double>((Frames + Columns - 1) / Columns);
	const double StripWidth = Gap + Columns * (FrameWidth + Gap);
	return {std::max(StripWidth, ChartWidth), Gap + Rows * (FrameHeight + ClockHeight + Gap) + ChartHeight};
}

std::string FormatClock(double Time)
{
	const double DayFraction = Time - std::floor(Time);
	int Minutes = static_cast<int>(DayFraction * 24.0 * 60.0 + 0.5);
	if (Time >= 1.0 && Minutes == 0)
	{
		Minutes = 24 * 60;
	}
	char Text[16];
	std::snprintf(Text, sizeof(Text), "%02d:%02d", Minutes / 60 % 100, Minutes % 60);
	return Text;
}

bool WriteDayChartSvg(const std::string& Path, const std::vector<FDirectorSnapshot>& Rows, std::string& OutError)
{
	if (Rows.size() < 2)
	{
		OutError = "a picture needs at least two steps";
		return false;
	}
	std::string Bytes;
	cairo_surface_t* Surface = cairo_svg_surface_create_for_stream(&AppendBytes, &Bytes, ChartWidth, ChartHeight);
	cairo_t* Cr = cairo_create(Surface);
	DrawDayChart(Cr, Rows, {});
	cairo_destroy(Cr);
	return FinishSurface(Surface, false, Bytes, OutError) && WriteFileAtomically(Path, Bytes, OutError);
}

bool WriteDayFilmstripPng(const std::string& Path, const std::vector<FDirectorSnapshot>& Rows, const std::vector<FRenderedView>& Views, std::string& OutError)
{
	if (Rows.size() < 2 || Views.size() != Rows.size())
	{
		OutError = "a picture needs at least two steps, each with its view";
		return false;
	}
	const int FrameWidth = Views.front().Width;
	const int FrameHeight = Views.front().Height;
	const int Columns = FilmstripColumns(FrameWidth);
	const FFilmstripSize Size = FilmstripSize(static_cast<int>(Views.size()), FrameWidth, FrameHeight);
	const double Width = Size.Width;
	const double Height = Size.Height;
	const double StripHeight = Height - ChartHeight;
	if (Width > MaxPictureSide || Height > MaxPictureSide)
	{
		OutError = "the picture would be larger than 32767 pixels a side; use fewer steps or a smaller view";
		return false;
	}

	cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(Width), static_cast<int>(Height));
	cairo_t* Cr = cairo_create(Surface);
	cairo_set_source_rgb(Cr, 0.12, 0.12, 0.13);
	cairo_paint(Cr);
	cairo_select_font_face(Cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
	cairo_set_font_size(Cr, 12.0);
	for (size_t Index = 0; Index < Views.size(); ++Index)
	{
		const double X = Gap + static_cast<double>(Index % Columns) * (FrameWidth + Gap);
		const double Y = Gap + static_cast<double>(Index / Columns) * (FrameHeight + ClockHeight + Gap);
		cairo_surface_t* Frame = MakeViewSurface(Views[Index]);
		cairo_set_source_surface(Cr, Frame, X, Y);
		cairo_paint(Cr);
		cairo_surface_destroy(Frame);
		cairo_set_source_rgb(Cr, 0.9, 0.9, 0.9);
		DrawText(Cr, X + FrameWidth / 2.0, Y + FrameHeight + 13.0, FormatClock(Rows[Index].Time), EAlign::Centre);
	}
	cairo_translate(Cr, (Width - ChartWidth) / 2.0, StripHeight);
	DrawDayChart(Cr, Rows, Views);
	cairo_destroy(Cr);
	std::string Bytes;
	return FinishSurface(Surface, true, Bytes, OutError) && WriteFileAtomically(Path, Bytes, OutError);
}

std::string EncodeDayChartPng(const std::vector<FDirectorSnapshot>& Rows, const std::vector<FRenderedView>& Views)
{
	std::string Bytes;
	std::string Error;
	if (Rows.size() < 2)
	{
		return Bytes;
	}
	cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(ChartWidth), static_cast<int>(ChartHeight));
	cairo_t* Cr = cairo_create(Surface);
	DrawDayChart(Cr, Rows, Views);
	cairo_destroy(Cr);
	FinishSurface(Surface, true, Bytes, Error);
	return Bytes;
}

FChartTimeAxis DayChartTimeAxis()
{
	return {ChartLeft / ChartWidth, ChartRight / ChartWidth};
}

std::string EncodeViewPng(const FRenderedView& View)
{
	std::string Bytes;
	std::string Error;
	FinishSurface(MakeViewSurface(View), true, Bytes, Error);
	return Bytes;
}
