// The constant table. Values are built from the patterns with ldexp, which is exact
// for a 64-bit mantissa in the 80-bit type.

#include "calculator/PhysicalConstants.h"

#include <array>
#include <cmath>

namespace quantrel {

namespace {

constexpr std::array<PhysicalConstant, 22> kConstants{{
    {"Pi2", "Pi", 0x4000, 0xC90FDAA22168C234, false},
    {"e2", "e", 0x4000, 0xADF85458A2BB4A99, false},
    {"ElectronmassKg1", "Electron mass (kg)", 0x3F9B, 0x93CEE455D9B97D26, true},
    {"Protonmass1", "Proton mass (kg)", 0x3FA6, 0x8484CBC67D70988F, false},
    {"Deuteronmasskg1", "Deuteron mass (kg)", 0x3FA7, 0x8473F603606CA82F, false},
    {"Unifiedatomicmassunitkg1", "Unified atomic mass unit (kg)", 0x3FA6, 0x838FBA08004A06D2,
     false},
    {"PermeabilityoffreespaceNA1", "Permeability of free space (N/A\u00B2)", 0x3FEB,
     0xA8A9B87CBB01E334, true},
    {"Permittivityoffreespace1", "Permittivity of free space( F/m)", 0x3FDA, 0x9BC3B78A40896DAA,
     false},
    {"PlankConstantJs1", "Plank Constant (J s)", 0x3F90, 0xDC305BE91E1AA3E5, true},
    {"SpeedofLight1", "Speed of Light (m/s)", 0x401B, 0x8EF3C25000000000, false},
    {"Gravitationalconstantmkgs1", "Gravitational constant (m\u00B3/kg/s\u00B2)", 0x3FDD,
     0x92BDA68013C868DF, true},
    {"Standardgravaccelsealevel1", "Standard grav. accel., sea level (m/s\u00B2)", 0x4002,
     0x9CE809D495182A99, false},
    {"Avogadroconstantpermol1", "Avogadro constant (per mol)", 0x404D, 0xFF0C31BCB5DB104B, true},
    {"BoltzmannconstantJK1", "Boltzmann constant (J/K)", 0x3FB3, 0x85873EE852036D45, false},
    {"MolarvolumeidealgasatSTP1", "Molar volume, ideal gas at STP (m\u00B3/mol)", 0x3FF9,
     0xB79D8E795D979363, false},
    {"WiendisplacementlawconstantmK1", "Wien displacement law constant (m K)", 0x3FF6,
     0xBDE87D5E4DDEC831, false},
    {"StefanBoltzmannconstantWmK1", "Stefan-Boltzmann constant (W/m\u00B2/K)", 0x3FE6,
     0xF38AB51453A05CB9, false},
    {"FermicouplingconstantGeV21", "Fermi coupling constant (Ge/V\u00B2)", 0x3FEE,
     0xC3B011ACDAFCD6CF, true},
    {"Weakmixingangle1", "Weak-mixing angle", 0x3FFC, 0xECB7D41743E963DC, false},
    {"WbosonmassGeVc1", "W boson mass (GeV/c\u00B2)", 0x4005, 0xA0D6872B020C49BA, false},
    {"ZbosonmassGeVc1", "Z boson mass (GeV/c\u00B2)", 0x4005, 0xB6605BC01A36E2EB, false},
    {"Strongcouplingconstant1", "Strong coupling constant", 0x3FFB, 0xF2B020C49BA5E354, false},
}};

constexpr int kExponentBias = 16383;
constexpr int kMantissaBits = 63; // bits after the binary point of the explicit-one form

} // namespace

Extended PhysicalConstant::Value() const {
    const int exponent = (SignExponent & 0x7FFF) - kExponentBias - kMantissaBits;
    const Extended magnitude = std::ldexp(static_cast<Extended>(Mantissa), exponent);
    return (SignExponent & 0x8000) != 0 ? -magnitude : magnitude;
}

std::span<const PhysicalConstant> PhysicalConstants() {
    return kConstants;
}

} // namespace quantrel
