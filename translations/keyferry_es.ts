<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>keyferry::AccessibilityPrompt</name>
    <message>
        <source>Accessibility Permission Required</source>
        <translation>Se requiere permiso de accesibilidad</translation>
    </message>
    <message>
        <source>Keyferry needs accessibility access to simulate keyboard input in other apps.</source>
        <translation>Keyferry necesita acceso de accesibilidad para simular la entrada de teclado en otras aplicaciones.</translation>
    </message>
    <message>
        <source>Enable Assistive Technologies</source>
        <translation>Activar tecnologías de asistencia</translation>
    </message>
    <message>
        <source>Asks the desktop to turn on assistive technologies for every application</source>
        <translation>Pide al escritorio que active las tecnologías de asistencia para todas las aplicaciones</translation>
    </message>
    <message>
        <source>✔ Permission granted!</source>
        <translation>✔ ¡Permiso concedido!</translation>
    </message>
</context>
<context>
    <name>keyferry::CSVPanel</name>
    <message>
        <source>Paste Rows</source>
        <translation>Pegar filas</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>Save a CSV file with the header this template expects</source>
        <translation>Guardar un archivo CSV con la cabecera que espera esta plantilla</translation>
    </message>
    <message>
        <source>Copy header to clipboard</source>
        <translation>Copiar la cabecera al portapapeles</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>Importar CSV</translation>
    </message>
    <message>
        <source>Load a CSV file or an .xlsx or .ods workbook (you can also drop one here, or paste rows with Ctrl+V)</source>
        <translation>Cargar un archivo CSV o un libro .xlsx u .ods (también puede soltarlo aquí o pegar filas con Ctrl+V)</translation>
    </message>
    <message>
        <source>Show or hide the preview</source>
        <translation>Mostrar u ocultar la vista previa</translation>
    </message>
    <message>
        <source>No text input step in template</source>
        <translation>La plantilla no tiene ningún paso de entrada de texto</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separador</translation>
    </message>
    <message>
        <source>The character between the fields of the file; choosing one reads the file again</source>
        <translation>El carácter entre los campos del archivo; al elegir uno se vuelve a leer el archivo</translation>
    </message>
    <message>
        <source>&amp;Separator:</source>
        <translation>&amp;Separador:</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>Hoja</translation>
    </message>
    <message>
        <source>The sheet of the workbook whose rows are imported</source>
        <translation>La hoja del libro cuyas filas se importan</translation>
    </message>
    <message>
        <source>Shee&amp;t:</source>
        <translation>&amp;Hoja:</translation>
    </message>
    <message>
        <source>Take the rows on the clipboard, copied from a spreadsheet with the header row, as the table</source>
        <translation>Usar como tabla las filas del portapapeles, copiadas de una hoja de cálculo con la fila de cabecera</translation>
    </message>
    <message>
        <source>CSV preview</source>
        <translation>Vista previa CSV</translation>
    </message>
    <message>
        <source>The first 100 rows of the imported file</source>
        <translation>Las primeras 100 filas del archivo importado</translation>
    </message>
    <message numerus="yes">
        <source>%n entries</source>
        <translation>
            <numerusform>%n entrada</numerusform>
            <numerusform>%n entradas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries, hide preview</source>
        <translation>
            <numerusform>%n entrada, ocultar vista previa</numerusform>
            <numerusform>%n entradas, ocultar vista previa</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries, show preview</source>
        <translation>
            <numerusform>%n entrada, mostrar vista previa</numerusform>
            <numerusform>%n entradas, mostrar vista previa</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>... and %n more rows</source>
        <translation>
            <numerusform>... y %n fila más</numerusform>
            <numerusform>... y %n filas más</numerusform>
        </translation>
    </message>
    <message>
        <source>Tables (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX *.xlsm *.XLSM *.ods *.ODS);;All files (*)</source>
        <translation>Tablas (*.csv *.CSV *.tsv *.TSV *.txt *.TXT *.xlsx *.XLSX *.xlsm *.XLSM *.ods *.ODS);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Punto y coma</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Coma</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulación</translation>
    </message>
    <message>
        <source>Pipe</source>
        <translation>Barra vertical</translation>
    </message>
</context>
<context>
    <name>keyferry::CapabilityNoticeView</name>
    <message>
        <source>What this desktop lacks</source>
        <translation>Lo que le falta a este escritorio</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ocultar</translation>
    </message>
    <message>
        <source>Hide what this desktop lacks</source>
        <translation>Ocultar lo que le falta a este escritorio</translation>
    </message>
    <message>
        <source>Hide this list until Keyferry starts again</source>
        <translation>Ocultar esta lista hasta que Keyferry se vuelva a iniciar</translation>
    </message>
    <message>
        <source>What you can do: %1</source>
        <translation>Qué puede hacer: %1</translation>
    </message>
    <message>
        <source>Not available on this desktop (%1)</source>
        <translation>No disponible en este escritorio (%1)</translation>
    </message>
    <message>
        <source>%1: %2. What you can do: %3.</source>
        <translation>%1: %2. Qué puede hacer: %3.</translation>
    </message>
</context>
<context>
    <name>keyferry::CoreText</name>
    <message>
        <source>refused</source>
        <translation>rechazadas</translation>
    </message>
    <message>
        <source>Entry %1 refused: the application sent the form back with its values</source>
        <translation>Entrada %1 rechazada: la aplicación devolvió el formulario con sus valores</translation>
    </message>
    <message>
        <source>Entry %1 refused: %2</source>
        <translation>Entrada %1 rechazada: %2</translation>
    </message>
    <message>
        <source>Text Input</source>
        <translation>Entrada de texto</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>Return</source>
        <translation>Intro</translation>
    </message>
    <message>
        <source>Wait (Click)</source>
        <translation>Esperar (clic)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Skip Tabs</source>
        <translation>Saltar tabulaciones</translation>
    </message>
    <message>
        <source>Select All &amp; Clear</source>
        <translation>Seleccionar todo y borrar</translation>
    </message>
    <message>
        <source>Arrow Key</source>
        <translation>Tecla de flecha</translation>
    </message>
    <message>
        <source>Mouse Click</source>
        <translation>Clic de ratón</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Arriba</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Abajo</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Simple</translation>
    </message>
    <message>
        <source>Double</source>
        <translation>Doble</translation>
    </message>
    <message>
        <source>Target app not found!</source>
        <translation>¡No se encontró la aplicación de destino!</translation>
    </message>
    <message>
        <source>Target app no longer in foreground</source>
        <translation>La aplicación de destino ya no está en primer plano</translation>
    </message>
    <message>
        <source>Paused: keyboard or mouse used</source>
        <translation>En pausa: se usó el teclado o el ratón</translation>
    </message>
    <message>
        <source>Accessibility permission revoked!</source>
        <translation>¡Permiso de accesibilidad revocado!</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>Waiting for click...</source>
        <translation>Esperando un clic...</translation>
    </message>
    <message>
        <source>Debug cancelled</source>
        <translation>Depuración cancelada</translation>
    </message>
    <message>
        <source>Debug complete</source>
        <translation>Depuración completada</translation>
    </message>
    <message>
        <source>Could not activate target app!</source>
        <translation>¡No se pudo activar la aplicación de destino!</translation>
    </message>
    <message>
        <source>Waiting for your permission to type: answer the desktop&apos;s question (“Allow remote interaction”).</source>
        <translation>Esperando su permiso para escribir: responda a la pregunta del escritorio («Allow remote interaction»).</translation>
    </message>
    <message>
        <source>entered</source>
        <translation>introducidas</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>verificadas</translation>
    </message>
    <message>
        <source>mismatch</source>
        <translation>con discrepancia</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>en pausa</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>detenidas</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallidas</translation>
    </message>
    <message>
        <source>wrong field</source>
        <translation>campo incorrecto</translation>
    </message>
    <message>
        <source>Row %1/%2 ✓</source>
        <translation>Fila %1/%2 ✓</translation>
    </message>
    <message>
        <source>Could not send keyboard input at row %1: %2</source>
        <translation>No se pudo enviar la entrada de teclado en la fila %1: %2</translation>
    </message>
    <message>
        <source>Could not send mouse input at row %1: %2</source>
        <translation>No se pudo enviar la entrada de ratón en la fila %1: %2</translation>
    </message>
    <message>
        <source>Could not send keyboard input: %1</source>
        <translation>No se pudo enviar la entrada de teclado: %1</translation>
    </message>
    <message>
        <source>Could not send mouse input: %1</source>
        <translation>No se pudo enviar la entrada de ratón: %1</translation>
    </message>
    <message>
        <source>Keyferry may not type here: %1</source>
        <translation>Keyferry no puede escribir aquí: %1</translation>
    </message>
    <message>
        <source>Expected field %1, but the focus is on %2</source>
        <translation>Se esperaba el campo %1, pero el foco está en %2</translation>
    </message>
    <message>
        <source>Expected field %1, but no field has the focus</source>
        <translation>Se esperaba el campo %1, pero ningún campo tiene el foco</translation>
    </message>
    <message>
        <source>Field %1 did not come within %2 s</source>
        <translation>El campo %1 no llegó en %2 s</translation>
    </message>
    <message>
        <source>Field &quot;%1&quot; shows &quot;%2&quot;, expected &quot;%3&quot;</source>
        <translation>El campo «%1» muestra «%2», se esperaba «%3»</translation>
    </message>
    <message>
        <source>The field shows &quot;%1&quot;, expected &quot;%2&quot;</source>
        <translation>El campo muestra «%1», se esperaba «%2»</translation>
    </message>
    <message>
        <source>Error at step %1! %2</source>
        <translation>¡Error en el paso %1! %2</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 → &quot;%4&quot; in field %5</source>
        <translation>Paso %1/%2: %3 → «%4» en el campo %5</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 → &quot;%4&quot;</source>
        <translation>Paso %1/%2: %3 → «%4»</translation>
    </message>
    <message>
        <source>Step %1/%2: %3 in field %4</source>
        <translation>Paso %1/%2: %3 en el campo %4</translation>
    </message>
    <message>
        <source>Step %1/%2: %3</source>
        <translation>Paso %1/%2: %3</translation>
    </message>
    <message>
        <source>about %1 s left</source>
        <translation>quedan unos %1 s</translation>
    </message>
    <message>
        <source>about %1 min left</source>
        <translation>quedan unos %1 min</translation>
    </message>
    <message>
        <source>about %1 h %2 min left</source>
        <translation>quedan unas %1 h %2 min</translation>
    </message>
    <message>
        <source>Separated by semicolons</source>
        <translation>Separado por punto y coma</translation>
    </message>
    <message>
        <source>Separated by commas</source>
        <translation>Separado por comas</translation>
    </message>
    <message>
        <source>Separated by tabs</source>
        <translation>Separado por tabulaciones</translation>
    </message>
    <message>
        <source>Separated by pipes (|)</source>
        <translation>Separado por barras verticales (|)</translation>
    </message>
    <message>
        <source>Pasted rows, separated by tabs</source>
        <translation>Filas pegadas, separadas por tabulaciones</translation>
    </message>
    <message>
        <source>Invalid configuration</source>
        <translation>Configuración no válida</translation>
    </message>
    <message>
        <source>Invalid input</source>
        <translation>Entrada no válida</translation>
    </message>
    <message>
        <source>Stream failure</source>
        <translation>Error de lectura</translation>
    </message>
    <message>
        <source>The clipboard holds no rows. Copy the cells in the spreadsheet, header row included.</source>
        <translation>El portapapeles no contiene filas. Copie las celdas en la hoja de cálculo, con la fila de cabecera incluida.</translation>
    </message>
    <message>
        <source>CSV has %1 columns, template expects %2: %3</source>
        <translation>El CSV tiene %1 columnas, la plantilla espera %2: %3</translation>
    </message>
    <message>
        <source>Column names don&apos;t match: %1</source>
        <translation>Los nombres de columna no coinciden: %1</translation>
    </message>
    <message>
        <source>Import failed: %1</source>
        <translation>Error al importar: %1</translation>
    </message>
    <message>
        <source>Paste failed: %1</source>
        <translation>Error al pegar: %1</translation>
    </message>
    <message>
        <source>Export failed: %1</source>
        <translation>Error al exportar: %1</translation>
    </message>
    <message>
        <source>semicolons</source>
        <translation>puntos y comas</translation>
    </message>
    <message>
        <source>commas</source>
        <translation>comas</translation>
    </message>
    <message>
        <source>tabs</source>
        <translation>tabuladores</translation>
    </message>
    <message>
        <source>pipes (|)</source>
        <translation>barras verticales (|)</translation>
    </message>
    <message>
        <source>, </source>
        <comment>a joint of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source> or </source>
        <comment>the last joint of a list</comment>
        <translation> o </translation>
    </message>
    <message>
        <source>Read as semicolon-separated: the header line could be separated by %1</source>
        <translation>Leído como separado por puntos y comas: la línea de encabezado podría estar separada por %1</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) show their stored value (format not supported): %2</source>
        <translation>
            <numerusform>%n celda muestra su valor guardado (formato no admitido): %2</numerusform>
            <numerusform>%n celdas muestran su valor guardado (formato no admitido): %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 y %2 más</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... y %1 más</translation>
    </message>
    <message>
        <source>%1: format &quot;%2&quot;</source>
        <translation>%1: formato «%2»</translation>
    </message>
    <message>
        <source>GNOME on Wayland lets applications type only through the desktop portal, which does not answer (%1)</source>
        <translation>GNOME en Wayland solo deja escribir a las aplicaciones a través del portal de escritorio, que no responde (%1)</translation>
    </message>
    <message>
        <source>Keyferry&apos;s GNOME Shell extension is not running (%1)</source>
        <translation>la extensión de GNOME Shell de Keyferry no está en ejecución (%1)</translation>
    </message>
    <message>
        <source>This step cannot run on this desktop (%1). %2</source>
        <translation>Este paso no puede ejecutarse en este escritorio (%1). %2</translation>
    </message>
    <message>
        <source>Not started: step %1 (%2) cannot run on this desktop (%3). %4</source>
        <translation>No iniciado: el paso %1 (%2) no puede ejecutarse en este escritorio (%3). %4</translation>
    </message>
    <message>
        <source>“%1” is missing: %2. What you can do: %3.</source>
        <translation>Falta «%1»: %2. Qué puede hacer: %3.</translation>
    </message>
    <message>
        <source>other wlroots compositor</source>
        <translation>otro compositor wlroots</translation>
    </message>
    <message>
        <source>simulated</source>
        <translation>simulado</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>desconocido</translation>
    </message>
    <message>
        <source>type layout text</source>
        <translation>escribir texto de la distribución</translation>
    </message>
    <message>
        <source>type any text</source>
        <translation>escribir cualquier texto</translation>
    </message>
    <message>
        <source>click</source>
        <translation>hacer clic</translation>
    </message>
    <message>
        <source>list windows</source>
        <translation>listar ventanas</translation>
    </message>
    <message>
        <source>activate</source>
        <translation>activar</translation>
    </message>
    <message>
        <source>window bounds</source>
        <translation>límites de ventanas</translation>
    </message>
    <message>
        <source>stop hotkey</source>
        <translation>atajo para detener</translation>
    </message>
    <message>
        <source>record keys</source>
        <translation>grabar teclas</translation>
    </message>
    <message>
        <source>record fields</source>
        <translation>grabar campos</translation>
    </message>
    <message>
        <source>pause on user input</source>
        <translation>pausa al escribir o hacer clic</translation>
    </message>
    <message>
        <source>see the user&apos;s clicks</source>
        <translation>ver los clics del usuario</translation>
    </message>
    <message>
        <source>the X server lacks XTest or XInput2, or assistive technologies are off</source>
        <translation>al servidor X le falta XTest o XInput2, o las tecnologías de asistencia están desactivadas</translation>
    </message>
    <message>
        <source>this desktop is not one Keyferry knows</source>
        <translation>Keyferry no conoce este escritorio</translation>
    </message>
    <message>
        <source>Keyferry&apos;s GNOME Shell extension is not running</source>
        <translation>la extensión de GNOME Shell de Keyferry no está en ejecución</translation>
    </message>
    <message>
        <source>KDE Plasma on Wayland does not offer its virtual keyboard to applications</source>
        <translation>KDE Plasma en Wayland no ofrece su teclado virtual a las aplicaciones</translation>
    </message>
    <message>
        <source>KDE Plasma on Wayland does not offer its virtual pointer to applications</source>
        <translation>KDE Plasma en Wayland no ofrece su puntero virtual a las aplicaciones</translation>
    </message>
    <message>
        <source>the desktop portal types only the characters of your keyboard layout</source>
        <translation>el portal de escritorio solo escribe los caracteres de su distribución de teclado</translation>
    </message>
    <message>
        <source>the size of the desktop is unknown without sway&apos;s IPC</source>
        <translation>sin el IPC de sway se desconoce el tamaño del escritorio</translation>
    </message>
    <message>
        <source>this compositor tells applications no window positions</source>
        <translation>este compositor no indica a las aplicaciones la posición de las ventanas</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application see keys meant for others, and only sway&apos;s IPC can make a shortcut for Keyferry</source>
        <translation>ningún compositor Wayland deja a una aplicación ver las teclas destinadas a otras, y solo el IPC de sway puede crear un atajo para Keyferry</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application watch the keys typed into other applications</source>
        <translation>ningún compositor Wayland deja a una aplicación observar las teclas escritas en otras aplicaciones</translation>
    </message>
    <message>
        <source>the recorder follows the focus from field to field through the accessibility bus, which cannot be reached</source>
        <translation>la grabación sigue el foco de campo en campo a través del bus de accesibilidad, que no está disponible</translation>
    </message>
    <message>
        <source>a recording ends with Esc, which only Keyferry&apos;s GNOME Shell extension can keep from the applications for Keyferry</source>
        <translation>una grabación termina con Esc, y solo la extensión de GNOME Shell de Keyferry puede quitársela a las aplicaciones para Keyferry</translation>
    </message>
    <message>
        <source>a recording ends with Esc, which only sway&apos;s IPC or KDE&apos;s global shortcuts can keep from the applications for Keyferry</source>
        <translation>una grabación termina con Esc, y solo el IPC de sway o los atajos globales de KDE pueden quitársela a las aplicaciones para Keyferry</translation>
    </message>
    <message>
        <source>Wayland shows Keyferry none of your own key presses and clicks, so a run does not pause when you type or click (it still pauses when the focus leaves the target window)</source>
        <translation>Wayland no muestra a Keyferry ninguna de sus pulsaciones ni de sus clics, así que una ejecución no se pausa cuando escribe o hace clic (sí se pausa cuando el foco sale de la ventana de destino)</translation>
    </message>
    <message>
        <source>no Wayland compositor lets an application see clicks made in other applications</source>
        <translation>ningún compositor Wayland deja a una aplicación ver los clics hechos en otras aplicaciones</translation>
    </message>
    <message>
        <source>use a desktop that offers it</source>
        <translation>use un escritorio que lo ofrezca</translation>
    </message>
    <message>
        <source>turn on assistive technologies (accessibility) in the desktop&apos;s settings and log in again</source>
        <translation>active las tecnologías de asistencia (accesibilidad) en la configuración del escritorio y vuelva a iniciar sesión</translation>
    </message>
    <message>
        <source>start Keyferry inside a graphical session (DISPLAY or WAYLAND_DISPLAY set)</source>
        <translation>inicie Keyferry dentro de una sesión gráfica (con DISPLAY o WAYLAND_DISPLAY definido)</translation>
    </message>
    <message>
        <source>log in to an X11 (Xorg) session, or use sway or another wlroots compositor</source>
        <translation>inicie una sesión X11 (Xorg), o use sway u otro compositor wlroots</translation>
    </message>
    <message>
        <source>turn on Keyferry&apos;s GNOME Shell extension (Keyferry&apos;s start script installs it): gnome-extensions enable keyferry@keyferry.org, then log out and in again</source>
        <translation>active la extensión de GNOME Shell de Keyferry (el script de inicio de Keyferry la instala): gnome-extensions enable keyferry@keyferry.org, luego cierre la sesión y vuelva a entrar</translation>
    </message>
    <message>
        <source>keep to your layout&apos;s characters or add a layout that has them; a run names the characters it cannot type before it starts</source>
        <translation>limítese a los caracteres de su distribución o añada una distribución que los tenga; una ejecución nombra los caracteres que no puede escribir antes de empezar</translation>
    </message>
    <message>
        <source>install xdg-desktop-portal and xdg-desktop-portal-gnome</source>
        <translation>instale xdg-desktop-portal y xdg-desktop-portal-gnome</translation>
    </message>
    <message>
        <source>use Tab and arrow keys instead of clicks, or run on an X11 session</source>
        <translation>use Tab y las flechas en lugar de clics, o trabaje en una sesión X11</translation>
    </message>
    <message>
        <source>start Keyferry from inside the sway session, so that SWAYSOCK is set, or use sway</source>
        <translation>inicie Keyferry dentro de la sesión de sway, para que SWAYSOCK esté definido, o use sway</translation>
    </message>
    <message>
        <source>use templates without clicks at window positions, or use sway</source>
        <translation>use plantillas sin clics en posiciones de ventana, o use sway</translation>
    </message>
    <message>
        <source>stop a run with Ctrl+C in its terminal or the Stop button in Keyferry&apos;s window</source>
        <translation>detenga una ejecución con Ctrl+C en su terminal o con el botón Detener de la ventana de Keyferry</translation>
    </message>
    <message>
        <source>record the template on an X11 session, or write its steps in the template editor</source>
        <translation>grabe la plantilla en una sesión X11, o escriba sus pasos en el editor de plantillas</translation>
    </message>
    <message>
        <source>turn on assistive technologies in your session, or add the fields as steps in the template editor</source>
        <translation>active las tecnologías de asistencia en su sesión, o añada los campos como pasos en el editor de plantillas</translation>
    </message>
    <message>
        <source>record on sway, started so that SWAYSOCK is set, or add the fields as steps in the template editor</source>
        <translation>grabe en sway, iniciado de modo que SWAYSOCK esté definido, o añada los campos como pasos en el editor de plantillas</translation>
    </message>
    <message>
        <source>keep your hands off the keyboard and mouse during a run, or stop it first</source>
        <translation>no toque el teclado ni el ratón durante una ejecución, o deténgala antes</translation>
    </message>
    <message>
        <source>use a Pause step instead of waiting for a click, or run on an X11 session</source>
        <translation>use un paso de Pausa en lugar de esperar un clic, o trabaje en una sesión X11</translation>
    </message>
    <message>
        <source>the desktop portal places clicks only within a screen cast, which Keyferry does not ask for, or through libei, which failed: %1</source>
        <translation>el portal de escritorio solo coloca clics dentro de una transmisión de pantalla, que Keyferry no solicita, o a través de libei, que falló: %1</translation>
    </message>
    <message>
        <source>the compositor refused the virtual keyboard (%1)</source>
        <translation>el compositor rechazó el teclado virtual (%1)</translation>
    </message>
    <message>
        <source>the compositor offers no virtual keyboard to applications</source>
        <translation>el compositor no ofrece un teclado virtual a las aplicaciones</translation>
    </message>
    <message>
        <source>the compositor offers no virtual pointer to applications</source>
        <translation>el compositor no ofrece un puntero virtual a las aplicaciones</translation>
    </message>
    <message>
        <source>the keymap could not be uploaded</source>
        <translation>no se pudo transmitir la tabla de teclas</translation>
    </message>
    <message>
        <source>no sway IPC socket (SWAYSOCK is not set)</source>
        <translation>no hay socket IPC de sway (SWAYSOCK no está definido)</translation>
    </message>
    <message>
        <source>the desktop portal places clicks only within a screen cast, which Keyferry does not ask for</source>
        <translation>el portal de escritorio solo coloca clics dentro de una transmisión de pantalla, que Keyferry no solicita</translation>
    </message>
</context>
<context>
    <name>keyferry::HelpWindow</name>
    <message>
        <source>Keyferry Help</source>
        <translation>Ayuda de Keyferry</translation>
    </message>
    <message>
        <source>Automated form filling from CSV templates</source>
        <translation>Relleno automático de formularios a partir de plantillas CSV</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Descripción general</translation>
    </message>
    <message>
        <source>Keyferry automates repetitive data entry by simulating keyboard input in any target application. You define a workflow of steps (text inputs, tabs, returns, etc.), load data from a CSV file, and Keyferry types it into the target app — row by row.</source>
        <translation>Keyferry automatiza la introducción repetitiva de datos simulando el teclado en cualquier aplicación de destino. Usted define un flujo de pasos (entradas de texto, tabulaciones, Intro, etc.), carga los datos de un archivo CSV y Keyferry los escribe en la aplicación de destino, fila a fila.</translation>
    </message>
    <message>
        <source>Getting Started</source>
        <translation>Primeros pasos</translation>
    </message>
    <message>
        <source>Grant Accessibility Permission</source>
        <translation>Conceder el permiso de accesibilidad</translation>
    </message>
    <message>
        <source>Keyferry works in an X11 session and needs the desktop&apos;s assistive technologies turned on, so that applications show which field has the focus. On first launch Keyferry asks for it; press &quot;Enable Assistive Technologies&quot; and restart the applications you want to fill in. This is required to simulate keyboard input.</source>
        <translation>Keyferry funciona en una sesión X11 y necesita que las tecnologías de asistencia del escritorio estén activadas, para que las aplicaciones indiquen qué campo tiene el foco. La primera vez que se inicia, Keyferry lo pide; pulse «Activar tecnologías de asistencia» y reinicie las aplicaciones que quiera rellenar. Es imprescindible para simular el teclado.</translation>
    </message>
    <message>
        <source>Create a Template</source>
        <translation>Crear una plantilla</translation>
    </message>
    <message>
        <source>Click the + button in the sidebar to create a new template. Give it a name and select a target application from the dropdown.</source>
        <translation>Haga clic en el botón + de la barra lateral para crear una plantilla nueva. Póngale un nombre y elija una aplicación de destino en la lista desplegable.</translation>
    </message>
    <message>
        <source>Define Steps</source>
        <translation>Definir los pasos</translation>
    </message>
    <message>
        <source>Add steps manually with &quot;Add Step&quot; or use the recorder to capture your workflow automatically.</source>
        <translation>Añada pasos a mano con «Añadir paso» o use la grabadora para capturar su flujo automáticamente.</translation>
    </message>
    <message>
        <source>Import CSV Data</source>
        <translation>Importar datos CSV</translation>
    </message>
    <message>
        <source>Export a CSV template, fill it with your data, then import it back. Drag &amp; drop also works.</source>
        <translation>Exporte una plantilla CSV, rellénela con sus datos y vuelva a importarla. También puede arrastrar y soltar.</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ejecutar</translation>
    </message>
    <message>
        <source>Click &quot;Start&quot; in the Runner panel to begin automated entry.</source>
        <translation>Haga clic en «Iniciar» en el panel Ejecución para empezar la introducción automática.</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Plantillas</translation>
    </message>
    <message>
        <source>A template defines the workflow for filling out a form. It consists of:</source>
        <translation>Una plantilla define el flujo con el que se rellena un formulario. Consta de:</translation>
    </message>
    <message>
        <source>Template Name</source>
        <translation>Nombre de la plantilla</translation>
    </message>
    <message>
        <source>A descriptive name shown in the sidebar</source>
        <translation>Un nombre descriptivo que aparece en la barra lateral</translation>
    </message>
    <message>
        <source>Target App</source>
        <translation>Aplicación de destino</translation>
    </message>
    <message>
        <source>The application where input will be simulated</source>
        <translation>La aplicación en la que se simula la entrada</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Pasos</translation>
    </message>
    <message>
        <source>An ordered list of actions to perform per data row</source>
        <translation>Una lista ordenada de acciones que se realizan para cada fila de datos</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Countdown, character delay, and post-delay timing</source>
        <translation>Cuenta atrás, retardo por carácter y retardo posterior</translation>
    </message>
    <message>
        <source>Right-click a template in the sidebar to rename, duplicate, or delete it.</source>
        <translation>Haga clic derecho en una plantilla de la barra lateral para cambiarle el nombre, duplicarla o eliminarla.</translation>
    </message>
    <message>
        <source>Step Types</source>
        <translation>Tipos de paso</translation>
    </message>
    <message>
        <source>Types text from the CSV column (or a fixed value) into the current field. Automatically presses Tab after typing.</source>
        <translation>Escribe el texto de la columna CSV (o un valor fijo) en el campo actual. Pulsa Tab automáticamente después de escribir.</translation>
    </message>
    <message>
        <source>Presses the Tab key to move to the next field.</source>
        <translation>Pulsa la tecla Tab para pasar al campo siguiente.</translation>
    </message>
    <message>
        <source>Presses the Return/Enter key.</source>
        <translation>Pulsa la tecla Intro (Return/Enter).</translation>
    </message>
    <message>
        <source>Pauses and waits for you to click in the target app before continuing. Useful for navigating to a specific location.</source>
        <translation>Se detiene y espera a que haga clic en la aplicación de destino antes de continuar. Útil para llegar a un lugar concreto.</translation>
    </message>
    <message>
        <source>Waits for the configured post-delay duration.</source>
        <translation>Espera el retardo posterior configurado.</translation>
    </message>
    <message>
        <source>Presses Tab multiple times (set via the Repeat column).</source>
        <translation>Pulsa Tab varias veces (se ajusta en la columna de repeticiones).</translation>
    </message>
    <message>
        <source>Selects all text in the current field (Ctrl+A) and deletes it.</source>
        <translation>Selecciona todo el texto del campo actual (Ctrl+A) y lo borra.</translation>
    </message>
    <message>
        <source>Presses an arrow key (Up/Down/Left/Right). Supports repeat count for multiple presses.</source>
        <translation>Pulsa una tecla de flecha (arriba/abajo/izquierda/derecha). Admite un número de repeticiones para pulsarla varias veces.</translation>
    </message>
    <message>
        <source>Simulates a mouse click (Left/Right, Single/Double). Can click at the current mouse position or at recorded coordinates relative to the target app window.</source>
        <translation>Simula un clic de ratón (izquierdo/derecho, simple/doble). Puede hacer clic en la posición actual del ratón o en coordenadas grabadas relativas a la ventana de la aplicación de destino.</translation>
    </message>
    <message>
        <source>Fixed Values</source>
        <translation>Valores fijos</translation>
    </message>
    <message>
        <source>Click the pin icon next to a Text Input step to set a fixed value. Fixed values are typed for every row instead of reading from the CSV file. Fixed steps don&apos;t require a CSV column.</source>
        <translation>Haga clic en el icono de chincheta junto a un paso Entrada de texto para fijar un valor. Los valores fijos se escriben en cada fila en lugar de leerse del archivo CSV. Los pasos fijos no necesitan columna CSV.</translation>
    </message>
    <message>
        <source>Click the pin icon again to unpin and revert to CSV-based input.</source>
        <translation>Vuelva a hacer clic en el icono de chincheta para soltar el valor y volver a la entrada desde el CSV.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Grabación</translation>
    </message>
    <message>
        <source>The Recorder captures your workflow by watching which fields you navigate through:</source>
        <translation>La grabadora captura su flujo observando por qué campos navega:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Click the red &quot;Record&quot; button</source>
        <translation>Haga clic en el botón rojo «Grabar»</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Comenzar</translation>
    </message>
    <message>
        <source>In the target app, put the focus just before the first field (Shift+Tab): each Tab records the element it reaches</source>
        <translation>En la aplicación de destino, ponga el foco justo antes del primer campo (Shift+Tab): cada Tab graba el elemento al que llega</translation>
    </message>
    <message>
        <source>Navigate</source>
        <translation>Navegar</translation>
    </message>
    <message>
        <source>Use Tab to move between fields in the target app</source>
        <translation>Use Tab para moverse entre los campos de la aplicación de destino</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>Press Return on the button that sends the form</source>
        <translation>Pulse Intro sobre el botón que envía el formulario</translation>
    </message>
    <message>
        <source>Toggle Type</source>
        <translation>Cambiar el tipo</translation>
    </message>
    <message>
        <source>Press Alt+Space to change a step&apos;s type</source>
        <translation>Pulse Alt+Space para cambiar el tipo de un paso</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Press Esc to finish recording</source>
        <translation>Pulse Esc para terminar la grabación</translation>
    </message>
    <message>
        <source>After recording, you can either replace all existing steps or insert the recorded steps after a specific position.</source>
        <translation>Tras la grabación, puede sustituir todos los pasos existentes o insertar los pasos grabados después de una posición concreta.</translation>
    </message>
    <message>
        <source>CSV Data</source>
        <translation>Datos CSV</translation>
    </message>
    <message>
        <source>Keyferry uses semicolon-separated CSV files (;) with a header row. Column names must match the labels of your Text Input steps.</source>
        <translation>Keyferry usa archivos CSV separados por punto y coma (;) con una fila de cabecera. Los nombres de columna deben coincidir con las etiquetas de sus pasos Entrada de texto.</translation>
    </message>
    <message>
        <source>CSV Export</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>Generates a CSV template with the correct headers for your template</source>
        <translation>Genera una plantilla CSV con las cabeceras correctas para su plantilla</translation>
    </message>
    <message>
        <source>CSV Import</source>
        <translation>Importar CSV</translation>
    </message>
    <message>
        <source>Loads a CSV file and validates it against your template</source>
        <translation>Carga un archivo CSV y lo valida con su plantilla</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Portapapeles</translation>
    </message>
    <message>
        <source>Copies the header row to the clipboard for pasting into a spreadsheet</source>
        <translation>Copia la fila de cabecera al portapapeles para pegarla en una hoja de cálculo</translation>
    </message>
    <message>
        <source>Drag &amp; Drop</source>
        <translation>Arrastrar y soltar</translation>
    </message>
    <message>
        <source>Drop a .csv file onto the CSV area to import it</source>
        <translation>Suelte un archivo .csv sobre el área CSV para importarlo</translation>
    </message>
    <message>
        <source>Spreadsheets</source>
        <translation>Hojas de cálculo</translation>
    </message>
    <message>
        <source>Comma-, tab- and pipe-separated files, .xlsx and .ods workbooks import too; the CSV area shows the separator found (change it in the Separator box) and lets you pick a workbook&apos;s sheet</source>
        <translation>También se importan archivos separados por comas, tabulaciones o barras verticales y libros .xlsx y .ods; el área CSV muestra el separador encontrado (puede cambiarlo en el cuadro Separador) y le deja elegir la hoja de un libro</translation>
    </message>
    <message>
        <source>Paste Rows</source>
        <translation>Pegar filas</translation>
    </message>
    <message>
        <source>Copy the cells in a spreadsheet, header row included, and press Ctrl+V in the CSV area (or Edit &gt; Paste Rows)</source>
        <translation>Copie las celdas en una hoja de cálculo, incluida la fila de cabecera, y pulse Ctrl+V en el área CSV (o Editar &gt; Pegar filas)</translation>
    </message>
    <message>
        <source>Runner</source>
        <translation>Ejecución</translation>
    </message>
    <message>
        <source>The Runner executes your template against the loaded CSV data:</source>
        <translation>La ejecución aplica su plantilla a los datos CSV cargados:</translation>
    </message>
    <message>
        <source>Runs all entries from the specified starting row</source>
        <translation>Ejecuta todas las entradas a partir de la fila inicial indicada</translation>
    </message>
    <message>
        <source>Test Run</source>
        <translation>Prueba</translation>
    </message>
    <message>
        <source>Executes only one entry for testing</source>
        <translation>Ejecuta solo una entrada, para probar</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Temporarily halts execution; click Resume to continue</source>
        <translation>Detiene la ejecución temporalmente; haga clic en Reanudar para continuar</translation>
    </message>
    <message>
        <source>Cancels execution immediately (also via Ctrl+Shift+Esc)</source>
        <translation>Cancela la ejecución de inmediato (también con Ctrl+Shift+Esc)</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>After completion or pause, resumes from where it left off</source>
        <translation>Tras terminar o tras una pausa, continúa donde se quedó</translation>
    </message>
    <message>
        <source>The runner shows a progress bar with the entries done and the time left during execution. If the target app loses focus, execution pauses automatically.</source>
        <translation>Durante la ejecución, una barra de progreso muestra las entradas hechas y el tiempo restante. Si la aplicación de destino pierde el foco, la ejecución se pausa automáticamente.</translation>
    </message>
    <message>
        <source>With &quot;Pause when I type or click&quot; on, pressing a key or clicking anywhere pauses the run before its next keystroke, so that your input and Keyferry&apos;s never mix. While a Wait (Click) step waits for you, clicking is expected and does not pause.</source>
        <translation>Con «Pausar cuando escriba o haga clic» activado, pulsar una tecla o hacer clic en cualquier sitio pausa la ejecución antes de su siguiente pulsación, para que su entrada y la de Keyferry no se mezclen nunca. Mientras un paso Esperar (clic) le espera, el clic es lo esperado y no pausa.</translation>
    </message>
    <message>
        <source>After every typed field Keyferry reads the field back through the accessibility interface (&quot;Check typed text&quot;). A field that does not show what was typed pauses the run at that row, naming the field and both texts. Fields that cannot be read, such as password fields, are not checked.</source>
        <translation>Después de cada campo escrito, Keyferry vuelve a leer el campo mediante la interfaz de accesibilidad («Comprobar el texto escrito»). Si un campo no muestra lo que se escribió, la ejecución se pausa en esa fila e indica el campo y ambos textos. Los campos que no se pueden leer, como los de contraseña, no se comprueban.</translation>
    </message>
    <message>
        <source>Every run is recorded in a journal (in ~/.local/state/Keyferry/runs; it holds no cell values except the two texts of a mismatch). After a run the results list each row that was not entered; &quot;Run Failed Rows&quot; runs just those again, as long as the same CSV file is imported unchanged.</source>
        <translation>Cada ejecución queda registrada en un diario (en ~/.local/state/Keyferry/runs; no guarda valores de celdas salvo los dos textos de una discrepancia). Tras una ejecución, los resultados enumeran cada fila que no se introdujo; «Ejecutar filas fallidas» vuelve a ejecutar solo esas, siempre que el mismo archivo CSV siga importado sin cambios.</translation>
    </message>
    <message>
        <source>Debug Mode</source>
        <translation>Modo de depuración</translation>
    </message>
    <message>
        <source>Debug mode executes your workflow step-by-step in the actual target app, using realistic placeholder data. After each step, Keyferry waits for you to click &quot;Next&quot; before proceeding.</source>
        <translation>El modo de depuración ejecuta su flujo paso a paso en la aplicación de destino real, con datos de ejemplo realistas. Después de cada paso, Keyferry espera a que haga clic en «Siguiente» para continuar.</translation>
    </message>
    <message>
        <source>The current step is highlighted in purple in the step list. This is useful for verifying that your workflow matches the form layout before running it with real data.</source>
        <translation>El paso actual se resalta en morado en la lista de pasos. Sirve para comprobar que su flujo coincide con la disposición del formulario antes de ejecutarlo con datos reales.</translation>
    </message>
    <message>
        <source>Saving</source>
        <translation>Guardado</translation>
    </message>
    <message>
        <source>Templates are saved automatically after 2 seconds of inactivity. You can also save manually with Ctrl+S or the Save button. An orange dot indicates unsaved changes; a green checkmark confirms the save.</source>
        <translation>Las plantillas se guardan automáticamente tras 2 segundos de inactividad. También puede guardar a mano con Ctrl+S o con el botón Guardar. Un punto naranja indica cambios sin guardar; una marca verde confirma el guardado.</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Ajustes avanzados</translation>
    </message>
    <message>
        <source>Countdown (sec)</source>
        <translation>Cuenta atrás (s)</translation>
    </message>
    <message>
        <source>Delay before execution starts, giving you time to switch to the target app</source>
        <translation>Retardo antes de que empiece la ejecución, para que le dé tiempo a cambiar a la aplicación de destino</translation>
    </message>
    <message>
        <source>Char Delay (sec)</source>
        <translation>Retardo por carácter (s)</translation>
    </message>
    <message>
        <source>Delay between individual keystrokes when typing text</source>
        <translation>Retardo entre pulsaciones al escribir texto</translation>
    </message>
    <message>
        <source>Default Post-Delay (sec)</source>
        <translation>Retardo posterior por defecto (s)</translation>
    </message>
    <message>
        <source>Delay after each step before the next one starts</source>
        <translation>Retardo después de cada paso antes de que empiece el siguiente</translation>
    </message>
    <message>
        <source>Check typed text</source>
        <translation>Comprobar el texto escrito</translation>
    </message>
    <message>
        <source>Reads each field back after typing and pauses when it shows something else</source>
        <translation>Vuelve a leer cada campo después de escribir y pausa si muestra otra cosa</translation>
    </message>
    <message>
        <source>Clear field before typing</source>
        <translation>Vaciar el campo antes de escribir</translation>
    </message>
    <message>
        <source>Selects all and deletes before each value. Turn it off for spreadsheets: there select-all takes the whole sheet. Off, each value is typed and followed by Tab</source>
        <translation>Selecciona todo y lo borra antes de cada valor. Desactívelo para hojas de cálculo: allí «seleccionar todo» abarca toda la hoja. Desactivado, cada valor se escribe seguido de Tab</translation>
    </message>
    <message>
        <source>Individual steps can override the default post-delay via the Delay column in the step list.</source>
        <translation>Cada paso puede sustituir el retardo posterior por defecto mediante la columna Retardo de la lista de pasos.</translation>
    </message>
    <message>
        <source>Spreadsheets: a spreadsheet&apos;s own AutoCorrect (curly quotes, a capital first letter, completing from earlier entries) changes what lands in a cell after Keyferry typed it. Switch those options off in the spreadsheet for entries to arrive exactly as in the CSV file.</source>
        <translation>Hojas de cálculo: la autocorrección propia de una hoja de cálculo (comillas tipográficas, mayúscula inicial, autocompletado a partir de entradas anteriores) cambia lo que queda en una celda después de que Keyferry lo escriba. Desactive esas opciones en la hoja de cálculo para que las entradas lleguen exactamente como en el archivo CSV.</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Atajos de teclado</translation>
    </message>
    <message>
        <source>Save template</source>
        <translation>Guardar la plantilla</translation>
    </message>
    <message>
        <source>Emergency stop (works globally)</source>
        <translation>Parada de emergencia (funciona en todo el sistema)</translation>
    </message>
    <message>
        <source>Scan next step (during recording)</source>
        <translation>Capturar el paso siguiente (durante la grabación)</translation>
    </message>
    <message>
        <source>Toggle field type (during recording)</source>
        <translation>Cambiar el tipo de campo (durante la grabación)</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Detener la grabación</translation>
    </message>
    <message>
        <source>F1 or Ctrl+?</source>
        <translation>F1 o Ctrl+?</translation>
    </message>
    <message>
        <source>Open this help</source>
        <translation>Abrir esta ayuda</translation>
    </message>
    <message>
        <source>Troubleshooting</source>
        <translation>Solución de problemas</translation>
    </message>
    <message>
        <source>Keys are typed incorrectly</source>
        <translation>Las teclas se escriben mal</translation>
    </message>
    <message>
        <source>Increase the Char Delay in Advanced Settings. Some apps need longer delays between keystrokes.</source>
        <translation>Aumente el retardo por carácter en los Ajustes avanzados. Algunas aplicaciones necesitan más tiempo entre pulsaciones.</translation>
    </message>
    <message>
        <source>Target app loses focus</source>
        <translation>La aplicación de destino pierde el foco</translation>
    </message>
    <message>
        <source>The runner pauses automatically. Click Resume to continue. Make sure no notifications or popups steal focus.</source>
        <translation>La ejecución se pausa automáticamente. Haga clic en Reanudar para continuar. Asegúrese de que ninguna notificación o ventana emergente le quite el foco.</translation>
    </message>
    <message>
        <source>Accessibility permission lost</source>
        <translation>Se ha perdido el permiso de accesibilidad</translation>
    </message>
    <message>
        <source>If assistive technologies were turned off in your desktop&apos;s settings, turn them on again and restart the applications you fill in.</source>
        <translation>Si se desactivaron las tecnologías de asistencia en la configuración de su escritorio, vuelva a activarlas y reinicie las aplicaciones que rellena.</translation>
    </message>
    <message>
        <source>A run pauses with &quot;Field ... shows ..., expected ...&quot;</source>
        <translation>Una ejecución se pausa con «El campo … muestra …, se esperaba …»</translation>
    </message>
    <message>
        <source>The field did not take the value as typed: it may limit its length, refuse characters or complete what you type. Mend the field or the CSV, go back to the form&apos;s first field and Resume; or turn off Check typed text.</source>
        <translation>El campo no aceptó el valor tal como se escribió: puede que limite su longitud, rechace caracteres o complete lo que escribe. Corrija el campo o el CSV, vuelva al primer campo del formulario y pulse Reanudar; o desactive Comprobar el texto escrito.</translation>
    </message>
    <message>
        <source>Rows are &quot;entered&quot;, never &quot;verified&quot;</source>
        <translation>Las filas quedan «introducidas», nunca «verificadas»</translation>
    </message>
    <message>
        <source>The target does not let Keyferry read its fields. Chromium shows web page fields to assistive technologies only when started with --force-renderer-accessibility (or while a screen reader runs); a spreadsheet&apos;s cells cannot be read while they are edited.</source>
        <translation>El destino no deja que Keyferry lea sus campos. Chromium muestra los campos de las páginas web a las tecnologías de asistencia solo si se inicia con --force-renderer-accessibility (o mientras se ejecuta un lector de pantalla); las celdas de una hoja de cálculo no se pueden leer mientras se editan.</translation>
    </message>
    <message>
        <source>CSV import fails</source>
        <translation>Falla la importación CSV</translation>
    </message>
    <message>
        <source>Ensure the CSV uses semicolons (;) as delimiters and that column names exactly match your Text Input step labels.</source>
        <translation>Asegúrese de que el CSV usa punto y coma (;) como delimitador y de que los nombres de columna coinciden exactamente con las etiquetas de sus pasos Entrada de texto.</translation>
    </message>
</context>
<context>
    <name>keyferry::MainWindow</name>
    <message>
        <source>No Template Selected</source>
        <translation>Ninguna plantilla seleccionada</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Paste Rows</source>
        <translation>&amp;Pegar filas</translation>
    </message>
    <message>
        <source>Take the rows on the clipboard, copied from a spreadsheet with the header row, as the table</source>
        <translation>Usar como tabla las filas del portapapeles, copiadas de una hoja de cálculo con la fila de cabecera</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Keyferry Help</source>
        <translation>Ayuda de Keyferry</translation>
    </message>
</context>
<context>
    <name>keyferry::RecorderView</name>
    <message>
        <source>Tab = navigate  |  Alt+Space = toggle field type  |  Esc = stop</source>
        <translation>Tab = navegar  |  Alt+Espacio = cambiar tipo de campo  |  Esc = detener</translation>
    </message>
    <message>
        <source>Tab = next field  |  Esc = stop</source>
        <translation>Tab = campo siguiente  |  Esc = detener</translation>
    </message>
    <message>
        <source>This desktop does not show Keyferry your keys and clicks, so steps come from the fields you move to. Return, arrow keys and clicks are not recorded: add them by hand afterwards. Click positions cannot be recorded here either: Wayland does not tell applications where the pointer is.</source>
        <translation>Este escritorio no muestra a Keyferry sus teclas ni sus clics, así que los pasos salen de los campos a los que se mueve. Intro, las teclas de flecha y los clics no se graban: añádalos después a mano. Tampoco se pueden grabar aquí posiciones de clic: Wayland no dice a las aplicaciones dónde está el puntero.</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Grabación</translation>
    </message>
    <message>
        <source>Recording is on</source>
        <translation>La grabación está activa</translation>
    </message>
    <message>
        <source>Recording...</source>
        <translation>Grabando...</translation>
    </message>
    <message>
        <source>Keyferry is recording the steps you take in the form</source>
        <translation>Keyferry está grabando los pasos que realiza en el formulario</translation>
    </message>
    <message>
        <source>Number of recorded steps</source>
        <translation>Número de pasos grabados</translation>
    </message>
    <message>
        <source>How many steps have been recorded</source>
        <translation>Cuántos pasos se han grabado</translation>
    </message>
    <message>
        <source>Recording keys</source>
        <translation>Teclas de la grabación</translation>
    </message>
    <message>
        <source>The keys that steer the recording</source>
        <translation>Las teclas que controlan la grabación</translation>
    </message>
    <message>
        <source>What cannot be recorded here</source>
        <translation>Lo que no se puede grabar aquí</translation>
    </message>
    <message>
        <source>Add Return, arrow key and click steps in the template editor</source>
        <translation>Añada los pasos de Intro, tecla de flecha y clic en el editor de plantillas</translation>
    </message>
    <message>
        <source>Detected field</source>
        <translation>Campo detectado</translation>
    </message>
    <message>
        <source>The field the last step was named after</source>
        <translation>El campo que dio nombre al último paso</translation>
    </message>
    <message>
        <source>Alt+Space warning</source>
        <translation>Aviso de Alt+Espacio</translation>
    </message>
    <message>
        <source>Another program also takes Alt+Space while Keyferry records</source>
        <translation>Otro programa también recibe Alt+Espacio mientras Keyferry graba</translation>
    </message>
    <message>
        <source>Alt+Space also reaches the window manager here (it may open its window menu; press Esc to close it).</source>
        <translation>Aquí Alt+Espacio también llega al gestor de ventanas (puede abrir su menú de ventana; pulse Esc para cerrarlo).</translation>
    </message>
    <message>
        <source>Recorded steps</source>
        <translation>Pasos grabados</translation>
    </message>
    <message>
        <source>The steps recorded so far</source>
        <translation>Los pasos grabados hasta ahora</translation>
    </message>
    <message numerus="yes">
        <source>%n steps</source>
        <translation>
            <numerusform>%n paso</numerusform>
            <numerusform>%n pasos</numerusform>
        </translation>
    </message>
    <message>
        <source>⌶ Detected: </source>
        <translation>⌶ Detectado: </translation>
    </message>
</context>
<context>
    <name>keyferry::RenameDelegate</name>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Nombre de la plantilla</translation>
    </message>
    <message>
        <source>Press Return to rename</source>
        <translation>Pulse Intro para cambiar el nombre</translation>
    </message>
</context>
<context>
    <name>keyferry::RunnerPanel</name>
    <message>
        <source>Ctrl+Shift+Esc = Stop</source>
        <translation>Ctrl+Mayús+Esc = Detener</translation>
    </message>
    <message>
        <source>Stops a run from any application</source>
        <translation>Detiene una ejecución desde cualquier aplicación</translation>
    </message>
    <message>
        <source>Runner status</source>
        <translation>Estado de la ejecución</translation>
    </message>
    <message>
        <source>Run results</source>
        <translation>Resultados de la ejecución</translation>
    </message>
    <message>
        <source>Run Failed Rows</source>
        <translation>Ejecutar filas fallidas</translation>
    </message>
    <message>
        <source>Rows that did not land</source>
        <translation>Filas que no llegaron</translation>
    </message>
    <message>
        <source>Each row the run did not enter, with what happened</source>
        <translation>Cada fila que la ejecución no introdujo, con lo que ocurrió</translation>
    </message>
    <message>
        <source>From Entry:</source>
        <translation>Desde la entrada:</translation>
    </message>
    <message>
        <source>From entry</source>
        <translation>Desde la entrada</translation>
    </message>
    <message>
        <source>The first entry (row) of the table to enter</source>
        <translation>La primera entrada (fila) de la tabla que se introduce</translation>
    </message>
    <message>
        <source>Pause when I type or click</source>
        <translation>Pausar cuando escriba o haga clic</translation>
    </message>
    <message>
        <source>Pause a run as soon as you use the keyboard or mouse (except while it waits for your click)</source>
        <translation>Pausar la ejecución en cuanto use el teclado o el ratón (salvo mientras espera su clic)</translation>
    </message>
    <message>
        <source>Test Run</source>
        <translation>Prueba</translation>
    </message>
    <message>
        <source>Execute one entry</source>
        <translation>Ejecutar una entrada</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Enter every entry from the first one chosen</source>
        <translation>Introducir todas las entradas desde la primera elegida</translation>
    </message>
    <message>
        <source>Starting</source>
        <translation>Iniciando</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Do not start the run</source>
        <translation>No iniciar la ejecución</translation>
    </message>
    <message>
        <source>Run progress</source>
        <translation>Progreso de la ejecución</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Pause after the entry in progress</source>
        <translation>Pausar tras la entrada en curso</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Stop the run now</source>
        <translation>Detener la ejecución ahora</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Esperando</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>Go on from the entry where the run paused</source>
        <translation>Seguir desde la entrada donde se pausó la ejecución</translation>
    </message>
    <message>
        <source>End the run</source>
        <translation>Terminar la ejecución</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <source>Resume from</source>
        <translation>Reanudar desde</translation>
    </message>
    <message>
        <source>Go on with the entries not entered yet</source>
        <translation>Seguir con las entradas aún no introducidas</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Back to the start controls</source>
        <translation>Volver a los controles de inicio</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a number of rows and their status</comment>
        <translation>%2: %1</translation>
    </message>
    <message>
        <source>Entry %1: %2%3</source>
        <translation>Entrada %1: %2%3</translation>
    </message>
    <message numerus="yes">
        <source>%n not attempted</source>
        <translation>
            <numerusform>%n sin intentar</numerusform>
            <numerusform>%n sin intentar</numerusform>
        </translation>
    </message>
    <message>
        <source>Results: </source>
        <translation>Resultados: </translation>
    </message>
    <message>
        <source>no rows</source>
        <translation>ninguna fila</translation>
    </message>
    <message numerus="yes">
        <source>Run again only the %n entries that did not land</source>
        <translation>
            <numerusform>Volver a ejecutar solo la %n entrada que no llegó</numerusform>
            <numerusform>Volver a ejecutar solo las %n entradas que no llegaron</numerusform>
        </translation>
    </message>
    <message>
        <source>Start in %1...</source>
        <translation>Inicio en %1...</translation>
    </message>
    <message>
        <source>Entry %1 · %2 of %3 done</source>
        <translation>Entrada %1 · %2 de %3 hechas</translation>
    </message>
    <message>
        <source>Click in target app... (%1/%2)</source>
        <translation>Haga clic en la aplicación de destino... (%1/%2)</translation>
    </message>
    <message>
        <source>Paused at entry %1/%2</source>
        <translation>En pausa en la entrada %1/%2</translation>
    </message>
    <message numerus="yes">
        <source>Done: %n successful</source>
        <translation>
            <numerusform>Hecho: %n correcta</numerusform>
            <numerusform>Hecho: %n correctas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n errors</source>
        <translation>
            <numerusform>, %n error</numerusform>
            <numerusform>, %n errores</numerusform>
        </translation>
    </message>
    <message>
        <source>Resume from %1</source>
        <translation>Reanudar desde %1</translation>
    </message>
    <message numerus="yes">
        <source>The table has only %n entries</source>
        <translation>
            <numerusform>La tabla solo tiene %n entrada</numerusform>
            <numerusform>La tabla solo tiene %n entradas</numerusform>
        </translation>
    </message>
    <message>
        <source>A debug run is under way in the editor</source>
        <translation>Hay una depuración en curso en el editor</translation>
    </message>
    <message>
        <source>Not on this desktop: %1. What you can do: %2</source>
        <translation>No en este escritorio: %1. Qué puede hacer: %2</translation>
    </message>
    <message>
        <source>The run&apos;s journal could not be written: %1</source>
        <translation>No se pudo escribir el registro de la ejecución: %1</translation>
    </message>
    <message>
        <source>The run&apos;s journal is incomplete: %1</source>
        <translation>El registro de la ejecución está incompleto: %1</translation>
    </message>
    <message>
        <source>The run&apos;s journal could not be read: %1</source>
        <translation>No se pudo leer el registro de la ejecución: %1</translation>
    </message>
    <message>
        <source>The imported CSV file is not the one that run used, or it has changed since: import that file to run its failed rows.</source>
        <translation>El archivo CSV importado no es el que usó esa ejecución, o ha cambiado desde entonces: importe ese archivo para volver a ejecutar sus filas fallidas.</translation>
    </message>
</context>
<context>
    <name>keyferry::StepTableAccessible</name>
    <message>
        <source>Step %1</source>
        <translation>Paso %1</translation>
    </message>
</context>
<context>
    <name>keyferry::StepTableModel</name>
    <message>
        <source>@ Mouse Position</source>
        <translation>@ Posición del ratón</translation>
    </message>
    <message>
        <source>@ (%1, %2)</source>
        <translation>@ (%1, %2)</translation>
    </message>
    <message>
        <source>Checked before the step&apos;s first key: %1 %2</source>
        <translation>Se comprueba antes de la primera tecla del paso: %1 %2</translation>
    </message>
    <message>
        <source>, id %1</source>
        <translation>, id %1</translation>
    </message>
    <message>
        <source>, in “%1”</source>
        <translation>, en «%1»</translation>
    </message>
    <message>
        <source>. Enter records it again, Delete clears it</source>
        <translation>. Intro lo vuelve a grabar, Supr lo borra</translation>
    </message>
    <message>
        <source>Step %1</source>
        <translation>Paso %1</translation>
    </message>
    <message>
        <source>Drag to move, or press Ctrl+Up or Ctrl+Down</source>
        <translation>Arrastre para mover, o pulse Ctrl+Arriba o Ctrl+Abajo</translation>
    </message>
    <message>
        <source>Step %1 type, cannot run on this desktop</source>
        <translation>Tipo del paso %1, no se puede ejecutar en este escritorio</translation>
    </message>
    <message>
        <source>Step %1 type</source>
        <translation>Tipo del paso %1</translation>
    </message>
    <message>
        <source>What the step does (F2 to change)</source>
        <translation>Lo que hace el paso (F2 para cambiarlo)</translation>
    </message>
    <message>
        <source>Column Name</source>
        <translation>Nombre de columna</translation>
    </message>
    <message>
        <source>Step %1 name</source>
        <translation>Nombre del paso %1</translation>
    </message>
    <message>
        <source>The CSV column this step types</source>
        <translation>La columna CSV que escribe este paso</translation>
    </message>
    <message>
        <source>Only Text Input steps name a column</source>
        <translation>Solo los pasos de entrada de texto nombran una columna</translation>
    </message>
    <message>
        <source>Step %1 fixed value</source>
        <translation>Valor fijo del paso %1</translation>
    </message>
    <message>
        <source>Typed in every row instead of a CSV value; Space or the pin unpins it (use CSV value)</source>
        <translation>Se escribe en cada fila en lugar de un valor CSV; Espacio o el alfiler lo desfija (usar valor CSV)</translation>
    </message>
    <message>
        <source>Set fixed value: Space or the pin</source>
        <translation>Fijar un valor: Espacio o el alfiler</translation>
    </message>
    <message>
        <source>Step %1 arrow</source>
        <translation>Flecha del paso %1</translation>
    </message>
    <message>
        <source>The arrow key pressed</source>
        <translation>La tecla de flecha pulsada</translation>
    </message>
    <message>
        <source>Step %1 mouse button</source>
        <translation>Botón del ratón del paso %1</translation>
    </message>
    <message>
        <source>The mouse button pressed</source>
        <translation>El botón del ratón pulsado</translation>
    </message>
    <message>
        <source>Step %1 click type</source>
        <translation>Tipo de clic del paso %1</translation>
    </message>
    <message>
        <source>A single or a double click</source>
        <translation>Un clic simple o doble</translation>
    </message>
    <message>
        <source>Step %1 click position</source>
        <translation>Posición del clic del paso %1</translation>
    </message>
    <message>
        <source>Record click position: Enter or the target; Delete clears the position (use mouse position)</source>
        <translation>Grabar la posición del clic: Intro o el objetivo; Supr borra la posición (usar la posición del ratón)</translation>
    </message>
    <message>
        <source>Choose a target app to record a click position; Delete clears the position (use mouse position)</source>
        <translation>Elija una aplicación de destino para grabar una posición de clic; Supr borra la posición (usar la posición del ratón)</translation>
    </message>
    <message>
        <source>Step %1 field</source>
        <translation>Campo del paso %1</translation>
    </message>
    <message>
        <source>No recorded field: the step is not checked. Enter records the field in the target app</source>
        <translation>Ningún campo grabado: el paso no se comprueba. Intro graba el campo en la aplicación de destino</translation>
    </message>
    <message>
        <source>Step %1 delay (sec)</source>
        <translation>Retardo del paso %1 (s)</translation>
    </message>
    <message>
        <source>Seconds to wait after the step</source>
        <translation>Segundos de espera tras el paso</translation>
    </message>
    <message>
        <source>Step %1 repeat count</source>
        <translation>Repeticiones del paso %1</translation>
    </message>
    <message>
        <source>How often the step is repeated</source>
        <translation>Cuántas veces se repite el paso</translation>
    </message>
    <message>
        <source>This step is not repeated</source>
        <translation>Este paso no se repite</translation>
    </message>
    <message>
        <source>Delete step %1</source>
        <translation>Eliminar el paso %1</translation>
    </message>
    <message>
        <source>Enter or a click deletes the step</source>
        <translation>Intro o un clic elimina el paso</translation>
    </message>
    <message>
        <source>Step %1, %2</source>
        <translation>Paso %1, %2</translation>
    </message>
    <message>
        <source>Delete the step</source>
        <translation>Eliminar el paso</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Fixed Value</source>
        <translation>Valor fijo</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Opción</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Clic</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Posición</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Campo</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <translation>Retardo (s)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <source>Type</source>
        <comment>column header, short</comment>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Name</source>
        <comment>column header, short</comment>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Fixed Value</source>
        <comment>column header, short</comment>
        <translation>Valor fijo</translation>
    </message>
    <message>
        <source>Option</source>
        <comment>column header, short</comment>
        <translation>Opción</translation>
    </message>
    <message>
        <source>Click</source>
        <comment>column header, short</comment>
        <translation>Clic</translation>
    </message>
    <message>
        <source>Position</source>
        <comment>column header, short</comment>
        <translation>Posición</translation>
    </message>
    <message>
        <source>Field</source>
        <comment>column header, short</comment>
        <translation>Campo</translation>
    </message>
    <message>
        <source>Delay (sec)</source>
        <comment>column header, short</comment>
        <translation>Retardo (s)</translation>
    </message>
    <message>
        <source>Repeat</source>
        <comment>column header, short</comment>
        <translation>Rep.</translation>
    </message>
</context>
<context>
    <name>keyferry::StoreStatusView</name>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Templates file problem</source>
        <translation>Problema con el archivo de plantillas</translation>
    </message>
    <message>
        <source>The templates file found at start could not be read; it is kept, never overwritten</source>
        <translation>No se pudo leer el archivo de plantillas encontrado al inicio; se conserva y nunca se sobrescribe</translation>
    </message>
    <message>
        <source>Save problem</source>
        <translation>Problema al guardar</translation>
    </message>
    <message>
        <source>The last save failed; this goes away when a save succeeds</source>
        <translation>El último guardado falló; esto desaparece cuando un guardado tiene éxito</translation>
    </message>
    <message>
        <source>Templates file status</source>
        <translation>Estado del archivo de plantillas</translation>
    </message>
    <message>
        <source>Not saved: %1. Your changes are kept only while Keyferry runs.</source>
        <translation>No guardado: %1. Sus cambios solo se conservan mientras Keyferry esté abierto.</translation>
    </message>
    <message>
        <source>The templates file %1 could not be read: %2.</source>
        <translation>No se pudo leer el archivo de plantillas %1: %2.</translation>
    </message>
    <message>
        <source> The original was moved to %1.</source>
        <translation> El original se movió a %1.</translation>
    </message>
    <message>
        <source> It stays untouched and will be moved aside before the first save.</source>
        <translation> Queda intacto y se apartará antes del primer guardado.</translation>
    </message>
    <message>
        <source>The templates could not be saved.</source>
        <translation>No se pudieron guardar las plantillas.</translation>
    </message>
    <message>
        <source>

Your changes are kept only while Keyferry runs. Later save problems are shown at the bottom of the window.</source>
        <translation>

Sus cambios solo se conservan mientras Keyferry esté abierto. Los problemas de guardado posteriores se muestran en la parte inferior de la ventana.</translation>
    </message>
    <message>
        <source>Templates not saved</source>
        <translation>Plantillas no guardadas</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateDetailView</name>
    <message>
        <source>Save status</source>
        <translation>Estado de guardado</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Save the template now (Ctrl+S)</source>
        <translation>Guardar la plantilla ahora (Ctrl+S)</translation>
    </message>
    <message>
        <source>Runner</source>
        <translation>Ejecución</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Cambios sin guardar</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Guardado</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>No guardado: %1</translation>
    </message>
    <message>
        <source>Whether the template is saved</source>
        <translation>Si la plantilla está guardada</translation>
    </message>
    <message>
        <source>Hide Runner</source>
        <translation>Ocultar ejecución</translation>
    </message>
    <message>
        <source>Show or hide the runner</source>
        <translation>Mostrar u ocultar la ejecución</translation>
    </message>
    <message>
        <source>Import a CSV file with entries first</source>
        <translation>Importe primero un archivo CSV con entradas</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateEditor</name>
    <message>
        <source>Template Name</source>
        <translation>Nombre de la plantilla</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Nombre de la plantilla</translation>
    </message>
    <message>
        <source>The name shown in the sidebar</source>
        <translation>El nombre que se muestra en la barra lateral</translation>
    </message>
    <message>
        <source>Target App</source>
        <translation>Aplicación de destino</translation>
    </message>
    <message>
        <source>The application that receives the input</source>
        <translation>La aplicación que recibe la entrada</translation>
    </message>
    <message>
        <source>⚠ Duplicate column names found!</source>
        <translation>⚠ ¡Hay nombres de columna duplicados!</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Pasos</translation>
    </message>
    <message>
        <source>Drag a step, or press Ctrl+Up or Ctrl+Down, to move it; F2 or typing edits a cell</source>
        <translation>Arrastre un paso, o pulse Ctrl+Arriba o Ctrl+Abajo, para moverlo; F2 o escribir edita una celda</translation>
    </message>
    <message>
        <source>Debug step</source>
        <translation>Paso de depuración</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Execute the step shown</source>
        <translation>Ejecutar el paso mostrado</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>End the debug run</source>
        <translation>Terminar la depuración</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Do not start the debug run</source>
        <translation>No iniciar la depuración</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Close the debug result</source>
        <translation>Cerrar el resultado de la depuración</translation>
    </message>
    <message>
        <source>Debug status</source>
        <translation>Estado de la depuración</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
    <message>
        <source>Use the recorded steps</source>
        <translation>Usar los pasos grabados</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Reemplazar todo</translation>
    </message>
    <message>
        <source>Replace every step by the recorded ones</source>
        <translation>Reemplazar todos los pasos por los grabados</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Keep the template as it was</source>
        <translation>Dejar la plantilla como estaba</translation>
    </message>
    <message>
        <source>Insert After Step</source>
        <translation>Insertar tras el paso</translation>
    </message>
    <message>
        <source>Insert the recorded steps after the step chosen</source>
        <translation>Insertar los pasos grabados tras el paso elegido</translation>
    </message>
    <message>
        <source>Insert position</source>
        <translation>Posición de inserción</translation>
    </message>
    <message>
        <source>Where the recorded steps go</source>
        <translation>Dónde van los pasos grabados</translation>
    </message>
    <message>
        <source>Add Step</source>
        <translation>Añadir paso</translation>
    </message>
    <message>
        <source>Append a Tab step</source>
        <translation>Añadir un paso Tab al final</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Eliminar todo</translation>
    </message>
    <message>
        <source>Remove every step</source>
        <translation>Quitar todos los pasos</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Depurar</translation>
    </message>
    <message>
        <source>Test workflow step-by-step in the target app (with placeholder data)</source>
        <translation>Probar el flujo paso a paso en la aplicación de destino (con datos de ejemplo)</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Grabar</translation>
    </message>
    <message>
        <source>Record the steps while you work through the form (Esc in the form stops)</source>
        <translation>Grabar los pasos mientras recorre el formulario (Esc en el formulario detiene)</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Ajustes avanzados</translation>
    </message>
    <message>
        <source>Show or hide the timing settings</source>
        <translation>Mostrar u ocultar los ajustes de tiempo</translation>
    </message>
    <message>
        <source>Countdown (sec)</source>
        <translation>Cuenta atrás (s)</translation>
    </message>
    <message>
        <source>Char Delay (sec)</source>
        <translation>Retardo por carácter (s)</translation>
    </message>
    <message>
        <source>Default Post-Delay (sec)</source>
        <translation>Retardo posterior por defecto (s)</translation>
    </message>
    <message>
        <source>Check typed text</source>
        <translation>Comprobar el texto escrito</translation>
    </message>
    <message>
        <source>Read each field back after typing and pause the run when it does not show what was typed</source>
        <translation>Leer cada campo tras escribir y pausar la ejecución si no muestra lo escrito</translation>
    </message>
    <message>
        <source>Clear field before typing</source>
        <translation>Vaciar el campo antes de escribir</translation>
    </message>
    <message>
        <source>Select all and delete before typing a value; turn off for spreadsheets, where select-all takes the whole sheet</source>
        <translation>Seleccionar todo y borrar antes de escribir un valor; desactívelo en hojas de cálculo, donde seleccionar todo abarca toda la hoja</translation>
    </message>
    <message>
        <source>Wait for the next field</source>
        <translation>Esperar al campo siguiente</translation>
    </message>
    <message>
        <source>Go on as soon as the next step&apos;s recorded field has the focus and is ready, instead of waiting each step&apos;s delay</source>
        <translation>Seguir en cuanto el campo grabado del paso siguiente tenga el foco y esté listo, en lugar de esperar el retardo de cada paso</translation>
    </message>
    <message>
        <source>Longest Field Wait (sec)</source>
        <translation>Espera máxima del campo (s)</translation>
    </message>
    <message>
        <source>How long a run waits for the next step&apos;s field before it pauses</source>
        <translation>Cuánto espera la ejecución al campo del paso siguiente antes de pausarse</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message numerus="yes">
        <source>%n steps recorded</source>
        <translation>
            <numerusform>%n paso grabado</numerusform>
            <numerusform>%n pasos grabados</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Existing workflow has %n steps</source>
        <translation>
            <numerusform>El flujo existente tiene %n paso</numerusform>
            <numerusform>El flujo existente tiene %n pasos</numerusform>
        </translation>
    </message>
    <message>
        <source>Beginning</source>
        <translation>Principio</translation>
    </message>
    <message>
        <source>Debug starts in %1...</source>
        <translation>La depuración empieza en %1...</translation>
    </message>
    <message>
        <source>Debug complete</source>
        <translation>Depuración completada</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateListModel</name>
    <message>
        <source>%1 (not saved: %2)</source>
        <translation>%1 (no guardado: %2)</translation>
    </message>
    <message>
        <source>Unnamed template</source>
        <translation>Plantilla sin nombre</translation>
    </message>
    <message>
        <source>, not saved</source>
        <translation>, no guardado</translation>
    </message>
</context>
<context>
    <name>keyferry::TemplateSidebar</name>
    <message>
        <source>Templates</source>
        <translation>Plantillas</translation>
    </message>
    <message>
        <source>New template</source>
        <translation>Nueva plantilla</translation>
    </message>
    <message>
        <source>Right-click a template to rename, duplicate or delete it</source>
        <translation>Haga clic derecho en una plantilla para cambiarle el nombre, duplicarla o eliminarla</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Cambiar nombre</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplicar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>New Template</source>
        <comment>a new template&apos;s name</comment>
        <translation>Nueva plantilla</translation>
    </message>
    <message>
        <source>%1 (Copy)</source>
        <comment>a duplicated template&apos;s name</comment>
        <translation>%1 (copia)</translation>
    </message>
</context>
</TS>
