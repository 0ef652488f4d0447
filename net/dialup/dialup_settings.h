#pragma once
// The connection control's settings under DedoVuv.

#include <string_view>

namespace zelvor::dialup {

inline constexpr std::string_view kKey = "DedoVuv";
inline constexpr std::string_view kUtilityKey = "DedoVuv";
inline constexpr std::string_view kProgramsKey = "DedoVuv\\Programas";
inline constexpr std::string_view kConexion = "Conexion";
inline constexpr std::string_view kAutoConectar = "AutoConectar";
inline constexpr std::string_view kGuardarPassword = "GuardarPassword";
inline constexpr std::string_view kReintentos = "Reintentos";
inline constexpr std::string_view kAutoReconectar = "AutoReconectar";
inline constexpr std::string_view kSonidoAlConectar = "SonidoAlConectar";
inline constexpr std::string_view kSonidoAlDesconectar = "SonidoAlDesconectar";
inline constexpr std::string_view kEjecutarProgramas = "EjecutarProgramas";
inline constexpr std::string_view kCuandoEjecutarProgramas = "CuandoEjecutarProgramas";

}  // namespace zelvor::dialup
