#include "DayPicture.h"
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
	constexpr double Width = 960.0;
	constexpr double Height = 420.0;
	constexpr double Left = 60.0;
	constexpr double Right = 920.0;
	constexpr double Top = 40.0;
	constexpr double Bottom = 360.0;

	const char* LookColour(const std::string& Look)
	{
		if (Look == "Day")
		{
			return "#f3e3a0";
		}
		if (Look == "DawnDusk")
		{
			return "#f0b088";
		}
		if (Look == "Night")
		{
			return "#2b3a5c";
		}
		return "#cccccc";
	}

	/** The altitude range shown: symmetric about the horizon, rounded up to 10 degrees. */
	double AltitudeRange(const std::vector<FDirectorSnapshot>& Rows)
	{
		double Largest = 10.0;
		for (const FDirectorSnapshot& Row : Rows)
		{
			Largest = std::fmax(Largest, std::fmax(std::fabs(Row.Sun.Altitude), std::fabs(Row.Moon.Altitude)));
		}
		return std::ceil(Largest / 10.0) * 10.0;
	}
}

bool WriteDayPicture(const std::string& Path, const std::vector<FDirectorSnapshot>& Rows, std::string& OutError)
{
	if (Rows.size() < 2)
	{
		OutError = "a picture needs at least two steps";
		return false;
	}
	FILE* File = std::fopen(Path.c_str(), "w");
	if (File == nullptr)
	{
		OutError = std::strerror(errno);
		return false;
	}

	const double Start = Rows.front().Time;
	const double Span = std::fmax(Rows.back().Time - Start, 1e-9);
	const double Range = AltitudeRange(Rows);
	auto X = [&](double Time) { return Left + (Time - Start) / Span * (Right - Left); };
	auto Y = [&](double Altitude) { return Top + (Range - Altitude) / (2.0 * Range) * (Bottom - Top); };

	std::fprintf(File, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" font-family=\"sans-serif\" font-size=\"12\">\n", Width, Height);
	std::fprintf(File, "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n");
	std::fprintf(File, "<text x=\"%.0f\" y=\"24\" font-size=\"15\">Sun and moon altitude over the day, on the look that dominates each moment</text>\n", Left);

	// Each step's band takes the look of the step it starts at.
	for (size_t Index = 0; Index + 1 < Rows.size(); ++Index)
	{
		const std::string Look = TCHAR_TO_UTF8(*Rows[Index].Look);
		std::fprintf(File, "<rect x=\"%.2f\" y=\"%.0f\" width=\"%.2f\" height=\"%.0f\" fill=\"%s\" fill-opacity=\"0.55\"/>\n", X(Rows[Index].Time), Top,
			X(Rows[Index + 1].Time) - X(Rows[Index].Time), Bottom - Top, LookColour(Look));
	}

	std::fprintf(File, "<line x1=\"%.0f\" y1=\"%.2f\" x2=\"%.0f\" y2=\"%.2f\" stroke=\"#555\" stroke-dasharray=\"4 3\"/>\n", Left, Y(0.0), Right, Y(0.0));
	std::fprintf(File, "<text x=\"%.0f\" y=\"%.2f\" text-anchor=\"end\">0&#176;</text>\n", Left - 6.0, Y(0.0) + 4.0);
	std::fprintf(File, "<text x=\"%.0f\" y=\"%.2f\" text-anchor=\"end\">%.0f&#176;</text>\n", Left - 6.0, Y(Range) + 4.0, Range);
	std::fprintf(File, "<text x=\"%.0f\" y=\"%.2f\" text-anchor=\"end\">-%.0f&#176;</text>\n", Left - 6.0, Y(-Range) + 4.0, Range);

	// Hour marks every three hours of each day shown.
	for (double Hour = std::ceil(Start * 8.0) / 8.0; Hour <= Rows.back().Time + 1e-9; Hour += 0.125)
	{
		const int Clock = static_cast<int>(std::lround((Hour - std::floor(Hour + 1e-9)) * 24.0));
		std::fprintf(File, "<line x1=\"%.2f\" y1=\"%.0f\" x2=\"%.2f\" y2=\"%.0f\" stroke=\"#999\"/>\n", X(Hour), Bottom, X(Hour), Bottom + 5.0);
		std::fprintf(File, "<text x=\"%.2f\" y=\"%.0f\" text-anchor=\"middle\">%02d:00</text>\n", X(Hour), Bottom + 18.0, Clock == 0 && Hour > Start ? 24 : Clock);
	}

	auto Curve = [&](const char* Colour, auto AltitudeOf)
	{
		std::fprintf(File, "<polyline fill=\"none\" stroke=\"%s\" stroke-width=\"2.5\" points=\"", Colour);
		for (const FDirectorSnapshot& Row : Rows)
		{
			std::fprintf(File, "%.2f,%.2f ", X(Row.Time), Y(AltitudeOf(Row)));
		}
		std::fprintf(File, "\"/>\n");
	};
	Curve("#e07b00", [](const FDirectorSnapshot& Row) { return Row.Sun.Altitude; });
	Curve("#5b6fa8", [](const FDirectorSnapshot& Row) { return Row.Moon.Altitude; });

	const double LegendY = Height - 18.0;
	std::fprintf(File, "<line x1=\"%.0f\" y1=\"%.0f\" x2=\"%.0f\" y2=\"%.0f\" stroke=\"#e07b00\" stroke-width=\"2.5\"/><text x=\"%.0f\" y=\"%.0f\">sun</text>\n",
		Left, LegendY - 4.0, Left + 24.0, LegendY - 4.0, Left + 30.0, LegendY);
	std::fprintf(File, "<line x1=\"%.0f\" y1=\"%.0f\" x2=\"%.0f\" y2=\"%.0f\" stroke=\"#5b6fa8\" stroke-width=\"2.5\"/><text x=\"%.0f\" y=\"%.0f\">moon</text>\n",
		Left + 80.0, LegendY - 4.0, Left + 104.0, LegendY - 4.0, Left + 110.0, LegendY);
	double LegendX = Left + 180.0;
	for (const char* Look : {"Day", "DawnDusk", "Night"})
	{
		std::fprintf(File, "<rect x=\"%.0f\" y=\"%.0f\" width=\"18\" height=\"10\" fill=\"%s\" fill-opacity=\"0.55\"/><text x=\"%.0f\" y=\"%.0f\">%s look</text>\n",
			LegendX, LegendY - 9.0, LookColour(Look), LegendX + 24.0, LegendY, Look);
		LegendX += 120.0;
	}
	std::fprintf(File, "</svg>\n");

	const bool bWritten = std::ferror(File) == 0;
	if (std::fclose(File) != 0 || !bWritten)
	{
		OutError = std::strerror(errno);
		return false;
	}
	return true;
}
