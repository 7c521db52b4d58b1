// The page carries its data as JSON in a script element and its views as PNG data addresses, so it
// opens from a file with no network. The moment shown follows the address's fragment (#t=0.5 is
// half-way through the day), so a moment can be linked to, and the slider keeps the fragment current.
#include "DayPage.h"
#include "DayDrawing.h"
#include "OutputFile.h"
#include "ParallelRuns.h"
#include "Renderer/CameraResponse.h"

#include <glib.h>
#include <nlohmann/json.hpp>
#include <algorithm>
#include <cmath>

namespace
{
	std::string Base64(const std::string& Bytes)
	{
		gchar* Encoded = g_base64_encode(reinterpret_cast<const guchar*>(Bytes.data()), Bytes.size());
		std::string Text(Encoded);
		g_free(Encoded);
		return Text;
	}

	std::string EscapeHtml(const std::string& Text)
	{
		std::string Out;
		for (const char C : Text)
		{
			switch (C)
			{
			case '&': Out += "&amp;"; break;
			case '<': Out += "&lt;"; break;
			case '>': Out += "&gt;"; break;
			case '"': Out += "&quot;"; break;
			default: Out += C;
			}
		}
		return Out;
	}

	/** A colour as CSS shows it: linear values encoded as sRGB, brighter-than-white scaled down to fit. */
	std::string CssColour(const FLinearColor& Colour)
	{
		const double Largest = std::max({1.0, static_cast<double>(Colour.R), static_cast<double>(Colour.G), static_cast<double>(Colour.B)});
		char Text[16];
		std::snprintf(Text, sizeof(Text), "#%02x%02x%02x", EncodeSRGB8(Colour.R / Largest), EncodeSRGB8(Colour.G / Largest), EncodeSRGB8(Colour.B / Largest));
		return Text;
	}

	nlohmann::json Swatch(const FLinearColor& Colour)
	{
		char Text[64];
		std::snprintf(Text, sizeof(Text), "%.3f, %.3f, %.3f", Colour.R, Colour.G, Colour.B);
		return {{"css", CssColour(Colour)}, {"text", Text}};
	}

	nlohmann::json Light(const FLightSnapshot& Light)
	{
		return {{"altitude", Light.Altitude}, {"alpha", Light.Alpha}, {"intensity", Light.Intensity}, {"on", Light.bVisible}};
	}

	/** Every view as a PNG data address, encoded on every core (compression is most of a page's cost). */
	std::vector<std::string> ViewAddresses(const std::vector<FRenderedView>& Views)
	{
		std::vector<std::string> Addresses(Views.size());
		const int Runs = RunsFor(Views.size());
		RunInParallel(Runs, [&](int Run)
		{
			for (size_t Index = static_cast<size_t>(Run); Index < Views.size(); Index += static_cast<size_t>(Runs))
			{
				Addresses[Index] = "data:image/png;base64," + Base64(EncodeViewPng(Views[Index]));
			}
		});
		return Addresses;
	}

	const char* const PageStyle = R"(
body { font-family: "DejaVu Sans", sans-serif; background: #1e1f22; color: #e8e8e8; margin: 24px; }
h1 { font-size: 20px; font-weight: normal; margin: 0 0 12px; }
#view { width: 768px; image-rendering: auto; display: block; border: 1px solid #444; }
#controls { display: flex; align-items: center; gap: 16px; margin: 12px 0; width: 770px; }
#time { flex: 1; }
#clock { font-size: 28px; font-variant-numeric: tabular-nums; min-width: 90px; }
.facts { display: grid; grid-template-columns: repeat(4, auto); gap: 6px 24px; width: 770px; margin-bottom: 12px; }
.fact b { display: block; font-size: 11px; color: #9aa0a6; font-weight: normal; }
#chart-box { position: relative; width: 770px; margin: 16px 0; }
#chart { width: 100%; display: block; }
#marker { position: absolute; top: 0; bottom: 0; width: 2px; background: #d33; pointer-events: none; }
.swatch { display: inline-block; width: 28px; height: 16px; border: 1px solid #666; vertical-align: middle; margin-right: 6px; }
.row { display: grid; grid-template-columns: repeat(6, auto); gap: 4px 16px; width: 770px; font-size: 12px; font-variant-numeric: tabular-nums;
  border-top: 1px solid #444; padding-top: 10px; }
)";

	const char* const PageScript = R"(
const day = JSON.parse(document.getElementById('day-data').textContent);
const slider = document.getElementById('time');
slider.max = day.moments.length - 1;
const text = (id, value) => { document.getElementById(id).textContent = value; };
const swatch = (id, colour) => {
  document.getElementById(id + '-swatch').style.background = colour.css;
  text(id, colour.text);
};
const light = (id, body) => text(id, body.altitude.toFixed(2) + '\u00b0, alpha ' + body.alpha.toFixed(2) + (body.on ? ', on' : ', off'));
const chart = document.getElementById('chart');
if (day.chart.src) chart.src = day.chart.src; else document.getElementById('chart-box').hidden = true;
function show(index) {
  const m = day.moments[index];
  const along = index / Math.max(1, day.moments.length - 1);
  document.getElementById('marker').style.left = (100 * (day.chart.left + along * (day.chart.right - day.chart.left))) + '%';
  slider.value = index;
  document.getElementById('view').src = m.view;
  text('clock', m.clock);
  light('sun', m.sun);
  light('moon', m.moon);
  text('look', m.look);
  text('exposure', m.minEV100.toFixed(1) + ' .. ' + m.maxEV100.toFixed(1) + ' (camera ' + m.cameraEV100.toFixed(2) + ')');
  swatch('skylight', m.skyLight);
  swatch('inscattering', m.fogInscattering);
  swatch('albedo', m.fogAlbedo);
  const cells = document.querySelectorAll('#row .value');
  m.row.forEach((value, column) => { cells[column].textContent = value; });
}
function fromFragment() {
  const match = /(?:^#|&)t=([0-9]*\.?[0-9]+)/.exec(location.hash);
  if (!match) return 0;
  const t = Math.min(1, Math.max(0, parseFloat(match[1])));
  return Math.round(t * (day.moments.length - 1));
}
slider.addEventListener('input', () => {
  const index = Number(slider.value);
  show(index);
  history.replaceState(null, '', '#t=' + (index / Math.max(1, day.moments.length - 1)).toFixed(4));
});
window.addEventListener('hashchange', () => show(fromFragment()));
show(fromFragment());
)";
}

std::string MakeDayPage(const FDayPage& Page)
{
	const std::vector<std::string> ViewSources = ViewAddresses(Page.Views);
	nlohmann::json Moments = nlohmann::json::array();
	for (size_t Index = 0; Index < Page.Moments.size(); ++Index)
	{
		const FDirectorSnapshot& Moment = Page.Moments[Index];
		const bool bHasView = Index < Page.Views.size();
		Moments.push_back({
			{"clock", FormatClock(Moment.Time)},
			{"view", bHasView ? ViewSources[Index] : std::string()},
			{"sun", Light(Moment.Sun)},
			{"moon", Light(Moment.Moon)},
			{"look", TCHAR_TO_UTF8(*Moment.Look)},
			{"minEV100", Moment.MinEV100},
			{"maxEV100", Moment.MaxEV100},
			{"cameraEV100", bHasView ? Page.Views[Index].ExposureEV100 : 0.0},
			{"skyLight", Swatch(Moment.SkyLightColor * Moment.SkyLightIntensity)},
			{"fogInscattering", Swatch(Moment.FogInscatteringColor)},
			{"fogAlbedo", Swatch(Moment.FogAlbedo)},
			{"row", Index < Page.Table.Rows.size() ? nlohmann::json(Page.Table.Rows[Index]) : nlohmann::json::array()},
		});
	}
	// A "</" inside the data must not end the script element that carries it.
	const FChartTimeAxis Axis = DayChartTimeAxis();
	const std::string Chart = EncodeDayChartPng(Page.Moments, Page.Views);
	const nlohmann::json ChartData = {{"src", Chart.empty() ? std::string() : "data:image/png;base64," + Base64(Chart)}, {"left", Axis.Left}, {"right", Axis.Right}};
	std::string Data = nlohmann::json{{"moments", Moments}, {"chart", ChartData}}.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
	for (size_t At = Data.find("</"); At != std::string::npos; At = Data.find("</", At + 3))
	{
		Data.replace(At, 2, "<\\/");
	}

	std::string Html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + EscapeHtml(Page.Title) + "</title>\n<style>" + PageStyle + "</style>\n</head>\n<body>\n";
	Html += "<h1>" + EscapeHtml(Page.Title) + "</h1>\n";
	Html += "<img id=\"view\" alt=\"The sky and ground at this moment\">\n";
	Html += "<div id=\"controls\"><span id=\"clock\"></span><input id=\"time\" type=\"range\" min=\"0\" max=\"0\" step=\"1\" value=\"0\" aria-label=\"Time of day\"></div>\n";
	Html += "<div class=\"facts\">\n";
	Html += "<div class=\"fact\"><b>Sun</b><span id=\"sun\"></span></div>\n";
	Html += "<div class=\"fact\"><b>Moon</b><span id=\"moon\"></span></div>\n";
	Html += "<div class=\"fact\"><b>Dominant look</b><span id=\"look\"></span></div>\n";
	Html += "<div class=\"fact\"><b>Exposure range (EV100)</b><span id=\"exposure\"></span></div>\n";
	Html += "<div class=\"fact\"><b>Sky light</b><span class=\"swatch\" id=\"skylight-swatch\"></span><span id=\"skylight\"></span></div>\n";
	Html += "<div class=\"fact\"><b>Fog in-scattering</b><span class=\"swatch\" id=\"inscattering-swatch\"></span><span id=\"inscattering\"></span></div>\n";
	Html += "<div class=\"fact\"><b>Fog albedo</b><span class=\"swatch\" id=\"albedo-swatch\"></span><span id=\"albedo\"></span></div>\n";
	Html += "</div>\n";
	Html += "<div id=\"chart-box\"><img id=\"chart\" alt=\"The day: altitudes, looks, exposure, fog and sky light\"><div id=\"marker\"></div></div>\n";
	Html += "<div id=\"row\" class=\"row\">\n";
	for (const std::string& Column : Page.Table.Columns)
	{
		Html += "<div class=\"fact\"><b>" + EscapeHtml(Column) + "</b><span class=\"value\"></span></div>\n";
	}
	Html += "</div>\n";
	Html += "<script type=\"application/json\" id=\"day-data\">" + Data + "</script>\n";
	Html += "<script>" + std::string(PageScript) + "</script>\n</body>\n</html>\n";
	return Html;
}

bool WriteDayPage(const std::string& Path, const FDayPage& Page, std::string& OutError)
{
	return WriteFileAtomically(Path, MakeDayPage(Page), OutError);
}
