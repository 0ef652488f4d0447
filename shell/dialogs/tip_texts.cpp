#include "shell/dialogs/tip_texts.h"

namespace zelvor {

namespace {

// One tip per feature of the suite, each telling where to click (or what to
// type) to reach it.
constexpr std::array<std::string_view, kTipCount> kTips{{
    "Pulsando con el botón izquierdo del ratón sobre el icono con el logotipo de Zelvor se "
    "puede configurar todas las utilidades del programa.",
    "Pulsando con el botón izquierdo del ratón sobre el icono de Duvu Zevad se puede crear "
    "una nota nueva en el escritorio, con el color, el título y el texto que se hayan elegido"
    " en la configuración.",
    "Pulsando Ctrl+A en una nota de Duvu Zevad se puede fijarle una alarma: a la hora "
    "indicada la nota aparece delante de las demás ventanas y suena un aviso.",
    "Pulsando \"Eliminar nota\" en el menú de una nota de Duvu Zevad, la nota pasa a la "
    "papelera, de donde se puede recuperar más tarde mientras no se vacíe.",
    "Pulsando sobre un día del calendario de Ravi Varudide se puede escribirle una nota, sólo"
    " para este año o para el mismo día de todos los años.",
    "Pulsando en las opciones de Ravi Varudide se puede pedir que las notas de hoy y las de "
    "los próximos días se recuerden al iniciar el programa y a medianoche.",
    "Pulsando con el botón derecho del ratón sobre el icono de Rezi Zovidaraz se puede volver"
    " a copiar en el portapapeles cualquier texto o imagen que se haya copiado antes.",
    "Pulsando con el botón derecho del ratón sobre el icono de Rezi Zovidaraz se puede poner "
    "en el portapapeles uno de los textos predefinidos, listo para pegarlo en cualquier "
    "programa.",
    "Pulsando sobre el icono de Divo Zidezevuza se puede abrir la lista de descargas; si una "
    "descarga se interrumpe, se puede continuarla más tarde desde donde se quedó.",
    "Pulsando \"Extraer los enlaces de una página HTML...\" en Divo Zidezevuza se puede "
    "elegir, de una sola vez, qué archivos enlazados en una página se quieren descargar.",
    "Pulsando con el botón derecho del ratón sobre una descarga de Divo Zidezevuza se puede "
    "programar la hora a la que empieza y la hora a la que se detiene.",
    "Pulsando con el botón derecho del ratón sobre el icono de Dedo Vuv se puede conectar o "
    "desconectar cualquiera de las conexiones telefónicas del equipo.",
    "Pulsando en el diario de conexiones de Dedo Vuv se puede ver cuánto ha durado y cuánto "
    "ha costado cada conexión, según las tarifas y los festivos que se hayan configurado.",
    "Pulsando con el botón central del ratón sobre el icono de Dedo Vuv se puede mostrar u "
    "ocultar el medidor del tráfico en la red, con las velocidades de recepción y de envío.",
    "Pulsando \"Conexión/Desconexión automática\" en el menú de Dedo Vuv se puede hacer que "
    "el equipo se conecte o se desconecte solo a una hora determinada.",
    "Pulsando con el botón izquierdo del ratón sobre el icono de Zivi Duvaza se puede "
    "consultar el procesador, la memoria, los discos y el sistema operativo del equipo.",
    "Pulsando en la vista de procesos de Zivi Duvaza se puede cambiar la prioridad de un "
    "programa o terminarlo; en la de servicios, iniciar o detener los servicios del sistema.",
    "Pulsando con el botón derecho del ratón sobre el icono de Zivi Duvaza se puede mostrar u"
    " ocultar la gráfica del uso del procesador y de la memoria de los dos últimos minutos.",
    "Pulsando con el botón derecho del ratón sobre el icono de Dade Rive se puede apagar, "
    "reiniciar, suspender o hibernar el equipo, bloquearlo o cerrar la sesión.",
    "Pulsando \"Apagado automático...\" en el menú de Dade Rive se puede apagar el equipo a "
    "una hora, al cabo de un tiempo o cuando el procesador o la red se queden sin actividad.",
    "Pulsando \"Bloquear apagado\" en el menú de Dade Rive se puede impedir que otro programa"
    " apague el equipo o cierre la sesión mientras se trabaja.",
    "Pulsando sobre el icono de un menú de Raro Darid se puede ejecutar cualquiera de los "
    "programas, documentos o carpetas que se hayan agrupado en ese menú.",
    "Pulsando con el botón izquierdo o con el derecho del ratón sobre un icono de Vazi "
    "Duzidarud se puede ejecutar uno de los dos programas que se hayan asignado a ese icono.",
    "Pulsando sobre el icono de Deve Revazoz se puede pasar a otro escritorio virtual, cada "
    "uno con sus propias ventanas y su propio fondo.",
    "Pulsando sobre el icono de Vada VU se puede abrir el panel del reproductor de CD y "
    "elegir la pista, el orden aleatorio o la repetición.",
    "Pulsando una combinación de teclas se puede ejecutar cualquier orden de las utilidades "
    "sin usar el ratón; las combinaciones se asignan en las páginas \"Teclas de acceso "
    "rápido\".",
    "Pulsando en las páginas \"Acciones del ratón\" de la configuración se puede elegir lo "
    "que hace cada botón del ratón, con un click o con dos, sobre el icono de cada utilidad.",
    "Pulsando \"Guardar configuración en un archivo...\" en el menú de Zelvor se puede "
    "guardar toda la configuración, las notas y el calendario, y recuperarlos más tarde.",
    "Pulsando en la pestaña \"Barra de iconos\" de la configuración se puede reunir todos los"
    " iconos de Zelvor en una barra propia, fija en una esquina de la pantalla o escondida en"
    " un borde.",
    "Escribiendo \"zelvorctl status\" en un terminal se puede ver el estado de cada utilidad,"
    " y con \"zelvorctl command\" se puede ejecutar sus órdenes desde un guion.",
}};

}  // namespace

const std::array<std::string_view, kTipCount>& TipTexts() { return kTips; }

}  // namespace zelvor
