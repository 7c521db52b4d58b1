// The fast sky-atmosphere renderer: the engine's tables (transmittance, multiple scattering, sky
// view) built from the atmosphere and its lights, and the lookups a view makes into them.
#pragma once

#include "CoreMinimal.h"
#include "Renderer/SkyAtmosphereModel.h"

#include <span>
#include <vector>

/**
 * Table sizes and ray-march sample counts. The defaults are the smallest that keep the sky within
 * 2 % of the table-free reference (see SkyAtmosphereLuts.cpp); EngineSizes() gives the engine's own.
 */
struct FSkyAtmosphereLutSizes
{
	int TransmittanceWidth = 64;
	int TransmittanceHeight = 16;
	int MultiScatteringSize = 32;
	int SkyViewWidth = 64;
	int SkyViewHeight = 32;
	/** Fixed sample counts of the transmittance and multiple-scattering rays. */
	int TransmittanceSampleCount = 20;
	int MultiScatteringSampleCount = 15;
	/** Sky-view rays: the count grows with the ray's length up to DistanceToSampleCountMaxKm. */
	double SkyViewSampleCountMin = 24.0;
	double SkyViewSampleCountMax = 32.0;
	double SkyViewDistanceToSampleCountMaxKm = 150.0;
	/**
	 * Aerial-perspective volume around the observer, as the engine's camera volume: directions
	 * (longitude x latitude, latitude as in the sky view) times depth slices squared towards the
	 * observer up to AerialPerspectiveDepthKm, each slice marched with a few samples.
	 */
	int AerialPerspectiveWidth = 32;
	int AerialPerspectiveHeight = 24;
	int AerialPerspectiveDepthSlices = 16;
	double AerialPerspectiveDepthKm = 96.0;
	int AerialPerspectiveSamplesPerSlice = 2;
	/** Aerial perspective past the volume is ray-marched: the count grows with the distance, same rule as the sky view. */
	double AerialPerspectiveSampleCountMin = 2.0;
	double AerialPerspectiveSampleCountMax = 16.0;
	double AerialPerspectiveDistanceToSampleCountMaxKm = 150.0;
	/** Where each ray-march sample sits inside its step (0.5: the midpoint; the engine uses 0.3). */
	double SampleOffset = 0.5;

	/** The engine's defaults (its r.SkyAtmosphere.* console variables). */
	static FSkyAtmosphereLutSizes EngineSizes();
};

/** Aerial perspective along a view ray of finite length. */
struct FAerialPerspective
{
	/** Light scattered towards the observer between it and the surface, cd/m^2. */
	FVector3d Inscattering = FVector3d(0.0);
	/** Share of the surface's light that reaches the observer. */
	FVector3d Transmittance = FVector3d(1.0);
};

class FSkyAtmosphereLuts
{
public:
	struct FStats
	{
		int TransmittanceBuilds = 0;
		int MultiScatteringBuilds = 0;
		int SkyViewBuilds = 0;
		double TransmittanceSeconds = 0.0;
		double MultiScatteringSeconds = 0.0;
		/** The sky-view table and the aerial-perspective volume, built together from the same inputs. */
		double SkyViewSeconds = 0.0;
	};

	explicit FSkyAtmosphereLuts(EMultipleScatteringForm Form = EMultipleScatteringForm::EngineDefault, const FSkyAtmosphereLutSizes& Sizes = {});

	/**
	 * Makes the tables describe this atmosphere, these lights and an observer at ObserverAltitudeKm
	 * above the ground; rebuilds a table only when its inputs changed.
	 */
	void Update(const FAtmosphereParameters& Atmosphere, std::span<const FAtmosphereLight> Lights, double ObserverAltitudeKm);

	/**
	 * Luminance of the sky seen from the observer along unit ViewDirection (Z up), cd/m^2, without
	 * the light discs, with the luminance factors applied. Below the horizon: the atmosphere between
	 * the observer and the planet's ground, without the ground itself.
	 */
	FVector3d SkyLuminance(const FVector3d& ViewDirection) const;

	/** Transmittance from AltitudeKm towards a direction of zenith cosine CosZenith; 0 where the planet is in the way. */
	FVector3d Transmittance(double AltitudeKm, double CosZenith) const;

	/** Scattering and transmittance between the observer and a surface DistanceKm away along unit ViewDirection. */
	FAerialPerspective AerialPerspective(const FVector3d& ViewDirection, double DistanceKm) const;

	EMultipleScatteringForm GetForm() const { return Form; }
	const FStats& GetStats() const { return Stats; }

private:
	void BuildTransmittance();
	void BuildMultiScattering();
	void BuildSkyView();
	void BuildAerialPerspective();
	FAerialPerspective MarchAerialPerspective(const FVector3d& ViewDirection, double DistanceKm) const;

	EMultipleScatteringForm Form;
	FSkyAtmosphereLutSizes Sizes;
	FStats Stats;
	bool bHasAtmosphere = false;
	FAtmosphereParameters Atmosphere;
	std::vector<FAtmosphereLight> Lights;
	double ObserverAltitudeKm = 0.0;
	/** Horizontal frame of the sky-view table: the first light sits at its centre column. */
	FVector3d SkyViewAxisX = FVector3d(1.0, 0.0, 0.0);
	FVector3d SkyViewAxisY = FVector3d(0.0, 1.0, 0.0);
	std::vector<FVector3f> TransmittanceLut;
	std::vector<FVector3f> MultiScatteringLut;
	std::vector<FVector3f> SkyViewLut;
	std::vector<FVector3f> AerialInscattering;
	std::vector<FVector3f> AerialTransmittance;
};
