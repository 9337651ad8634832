<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Buscar actualizaciones</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>Acerca de Qt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>No update server is configured</source>
        <translation>No hay ningún servidor de actualizaciones configurado</translation>
    </message>
    <message>
        <source>Reads, shows and exports the audit of electronic safe locks.</source>
        <translation>Lee, muestra y exporta la auditoría de las cerraduras electrónicas de cajas fuertes.</translation>
    </message>
    <message>
        <source>Copyright © the Corvane Audit developers. All rights reserved. This program is provided as is, without warranty of any kind. It uses Qt under the GNU Lesser General Public License version 3 (see &quot;About Qt&quot;).</source>
        <translation>Copyright © los desarrolladores de Corvane Audit. Todos los derechos reservados. Este programa se proporciona tal cual, sin garantía de ningún tipo. Usa Qt bajo la GNU Lesser General Public License versión 3 (véase &quot;Acerca de Qt&quot;).</translation>
    </message>
    <message>
        <source>Please report problems, with the steps that lead to them and the audit file if there is one, on the Corvane Audit issue tracker.</source>
        <translation>Informe de los problemas, con los pasos que los provocan y el archivo de auditoría si lo hay, en el gestor de incidencias de Corvane Audit.</translation>
    </message>
    <message>
        <source>No update available</source>
        <translation>No hay actualizaciones disponibles</translation>
    </message>
    <message>
        <source>An update is available. Do you want to download and install it?</source>
        <translation>Hay una actualización disponible. ¿Desea descargarla e instalarla?</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>New</source>
        <translation>Nuevo</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Guardar...</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Abrir...</translation>
    </message>
    <message>
        <source>Export Audit</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>Create Dallas
audit key</source>
        <translation>Crear llave
de auditoría</translation>
    </message>
    <message>
        <source>Read Dallas
audit key</source>
        <translation>Leer llave
de auditoría</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventos</translation>
    </message>
    <message>
        <source>Filters</source>
        <translation>Filtros</translation>
    </message>
    <message>
        <source>PC date/time at audit download:</source>
        <translation>Fecha/hora del PC al descargar la auditoría:</translation>
    </message>
    <message>
        <source>Keypad date/time at audit download:</source>
        <translation>Fecha/hora del teclado al descargar la auditoría:</translation>
    </message>
    <message>
        <source>Daylight saving time</source>
        <translation>Horario de verano</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Primer</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Segundo</translation>
    </message>
    <message>
        <source>Third</source>
        <translation>Tercer</translation>
    </message>
    <message>
        <source>Fourth</source>
        <translation>Cuarto</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Último</translation>
    </message>
    <message>
        <source>Sunday of</source>
        <translation>Domingo de</translation>
    </message>
    <message>
        <source>Monday of</source>
        <translation>Lunes de</translation>
    </message>
    <message>
        <source>Tuesday of</source>
        <translation>Martes de</translation>
    </message>
    <message>
        <source>Wednesday of</source>
        <translation>Miércoles de</translation>
    </message>
    <message>
        <source>Thursday of</source>
        <translation>Jueves de</translation>
    </message>
    <message>
        <source>Friday of</source>
        <translation>Viernes de</translation>
    </message>
    <message>
        <source>Saturday of</source>
        <translation>Sábado de</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Enero</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Febrero</translation>
    </message>
    <message>
        <source>March</source>
        <translation>Marzo</translation>
    </message>
    <message>
        <source>April</source>
        <translation>Abril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mayo</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Junio</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Julio</translation>
    </message>
    <message>
        <source>August</source>
        <translation>Agosto</translation>
    </message>
    <message>
        <source>September</source>
        <translation>Septiembre</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Octubre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>Noviembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Diciembre</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Hasta</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Sumar</translation>
    </message>
    <message>
        <source>Subtract</source>
        <translation>Restar</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Horas</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Informations</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Lock name:</source>
        <translation>Nombre de la cerradura:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Número de serie:</translation>
    </message>
    <message>
        <source>Lock version:</source>
        <translation>Versión de la cerradura:</translation>
    </message>
    <message>
        <source>Keypad version:</source>
        <translation>Versión del teclado:</translation>
    </message>
    <message>
        <source>Active configuration:</source>
        <translation>Configuración activa:</translation>
    </message>
    <message>
        <source>Time delay:</source>
        <translation>Retardo de apertura:</translation>
    </message>
    <message>
        <source>Open window:</source>
        <translation>Ventana de apertura:</translation>
    </message>
    <message>
        <source>Standard users in dual mode:</source>
        <translation>Usuarios estándar en modo dual:</translation>
    </message>
    <message>
        <source>Override users in dual mode:</source>
        <translation>Usuarios override en modo dual:</translation>
    </message>
    <message>
        <source>Override users:</source>
        <translation>Usuarios override:</translation>
    </message>
    <message>
        <source>First override user:</source>
        <translation>Primer usuario override:</translation>
    </message>
    <message>
        <source>Code expiration:</source>
        <translation>Caducidad del código:</translation>
    </message>
    <message>
        <source>Code disabling:</source>
        <translation>Desactivación del código:</translation>
    </message>
    <message>
        <source>Closing time:</source>
        <translation>Tiempo de cierre:</translation>
    </message>
    <message>
        <source>Bolt open alarm:</source>
        <translation>Alarma de cerrojo abierto:</translation>
    </message>
    <message>
        <source>Input configuration:</source>
        <translation>Configuración de la entrada:</translation>
    </message>
    <message>
        <source>Output configuration:</source>
        <translation>Configuración de la salida:</translation>
    </message>
    <message>
        <source>Buzzer muted:</source>
        <translation>Zumbador silenciado:</translation>
    </message>
    <message>
        <source>Date format:</source>
        <translation>Formato de fecha:</translation>
    </message>
    <message>
        <source>Silent alarm:</source>
        <translation>Alarma silenciosa:</translation>
    </message>
    <message>
        <source>ERC:</source>
        <translation>ERC:</translation>
    </message>
    <message>
        <source>Manager management:</source>
        <translation>Gestión de gerentes:</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Usuarios</translation>
    </message>
    <message>
        <source>Audit</source>
        <translation>Auditoría</translation>
    </message>
    <message>
        <source>Users log</source>
        <translation>Registro de usuarios</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Español</translation>
    </message>
    <message>
        <source>Export to Pdf</source>
        <translation>Exportar a PDF</translation>
    </message>
    <message>
        <source>Export to Excel</source>
        <translation>Exportar a Excel</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Unable to save file</source>
        <translation>No se puede guardar el archivo</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Operación completada</translation>
    </message>
    <message>
        <source>File not valid</source>
        <translation>Archivo no válido</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mes</translation>
    </message>
    <message>
        <source>months</source>
        <translation>meses</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>minuto</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minutos</translation>
    </message>
    <message>
        <source>second</source>
        <translation>segundo</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>segundos</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Instalado</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Deshabilitado</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Eliminado</translation>
    </message>
    <message>
        <source>Code only</source>
        <translation>Solo código</translation>
    </message>
    <message>
        <source>Code and Dallas key</source>
        <translation>Código y llave Dallas</translation>
    </message>
    <message>
        <source>Dallas key only</source>
        <translation>Solo llave Dallas</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Opening mode</source>
        <translation>Modo de apertura</translation>
    </message>
    <message>
        <source>Master 2</source>
        <translation>Maestro 2</translation>
    </message>
    <message>
        <source>Manager</source>
        <translation>Gerente</translation>
    </message>
    <message>
        <source>Manager 2</source>
        <translation>Gerente 2</translation>
    </message>
    <message>
        <source>Manager 3</source>
        <translation>Gerente 3</translation>
    </message>
    <message>
        <source>CRC error</source>
        <translation>Error de CRC</translation>
    </message>
    <message>
        <source>Dallas key data error</source>
        <translation>Error en los datos de la llave Dallas</translation>
    </message>
    <message>
        <source>The Dallas audit key is empty</source>
        <translation>La llave de auditoría Dallas está vacía</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>Valid code</source>
        <translation>Código válido</translation>
    </message>
    <message>
        <source>Code changed</source>
        <translation>Código cambiado</translation>
    </message>
    <message>
        <source>Motor in open position (bolt not open)</source>
        <translation>Motor en posición de apertura (cerrojo no abierto)</translation>
    </message>
    <message>
        <source>Bolt open</source>
        <translation>Cerrojo abierto</translation>
    </message>
    <message>
        <source>Motor in open position (low battery - bolt not open)</source>
        <translation>Motor en posición de apertura (batería baja - cerrojo no abierto)</translation>
    </message>
    <message>
        <source>Bolt open (low battery)</source>
        <translation>Cerrojo abierto (batería baja)</translation>
    </message>
    <message>
        <source>Time delay started</source>
        <translation>Retardo de apertura iniciado</translation>
    </message>
    <message>
        <source>Open window started</source>
        <translation>Ventana de apertura iniciada</translation>
    </message>
    <message>
        <source>Access attempt with expired user</source>
        <translation>Intento de acceso con usuario caducado</translation>
    </message>
    <message>
        <source>Valid code with silent alarm</source>
        <translation>Código válido con alarma silenciosa</translation>
    </message>
    <message>
        <source>Remote block</source>
        <translation>Bloqueo remoto</translation>
    </message>
    <message>
        <source>Low battery detected during opening</source>
        <translation>Batería baja detectada durante la apertura</translation>
    </message>
    <message>
        <source>Access attempt with user deleted for inactivity</source>
        <translation>Intento de acceso con usuario eliminado por inactividad</translation>
    </message>
    <message>
        <source>User enabled</source>
        <translation>Usuario habilitado</translation>
    </message>
    <message>
        <source>User installed</source>
        <translation>Usuario instalado</translation>
    </message>
    <message>
        <source>User disabled</source>
        <translation>Usuario deshabilitado</translation>
    </message>
    <message>
        <source>User deleted</source>
        <translation>Usuario eliminado</translation>
    </message>
    <message>
        <source>Motor timeout</source>
        <translation>Tiempo de espera del motor agotado</translation>
    </message>
    <message>
        <source>Command 22</source>
        <translation>Comando 22</translation>
    </message>
    <message>
        <source>Command 89 (write)</source>
        <translation>Comando 89 (escritura)</translation>
    </message>
    <message>
        <source>Time delay and open window changed</source>
        <translation>Retardo y ventana de apertura modificados</translation>
    </message>
    <message>
        <source>Entered &apos;Change code&apos; function</source>
        <translation>Acceso a la función &apos;Cambio de código&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Install user&apos; function</source>
        <translation>Acceso a la función &apos;Instalar usuario&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Disable/enable user&apos; function</source>
        <translation>Acceso a la función &apos;Deshabilitar/habilitar usuario&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Delete user&apos; function</source>
        <translation>Acceso a la función &apos;Eliminar usuario&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Battery check&apos; function</source>
        <translation>Acceso a la función &apos;Comprobación de batería&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Keypad check&apos; function</source>
        <translation>Acceso a la función &apos;Comprobación del teclado&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;System settings&apos; function</source>
        <translation>Acceso a la función &apos;Ajustes del sistema&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Users status/audit download&apos; function</source>
        <translation>Acceso a la función &apos;Estado de usuarios/descarga de auditoría&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Change configuration&apos; function</source>
        <translation>Acceso a la función &apos;Cambio de configuración&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Change time delay&apos; function</source>
        <translation>Acceso a la función &apos;Cambio de retardo de apertura&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Lock reset&apos; function</source>
        <translation>Acceso a la función &apos;Restablecer cerradura&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Set time/date&apos; function</source>
        <translation>Acceso a la función &apos;Ajustar hora/fecha&apos;</translation>
    </message>
    <message>
        <source>Option changed</source>
        <translation>Opción modificada</translation>
    </message>
    <message>
        <source>Configuration changed</source>
        <translation>Configuración modificada</translation>
    </message>
    <message>
        <source>Door opened (REED sensor</source>
        <translation>Puerta abierta (sensor REED</translation>
    </message>
    <message>
        <source>Door closed (REED sensor</source>
        <translation>Puerta cerrada (sensor REED</translation>
    </message>
    <message>
        <source>Time and date changed</source>
        <translation>Hora y fecha modificadas</translation>
    </message>
    <message>
        <source>Date changed</source>
        <translation>Fecha modificada</translation>
    </message>
    <message>
        <source>Time changed</source>
        <translation>Hora modificada</translation>
    </message>
    <message>
        <source>Power re-enabled</source>
        <translation>Alimentación restablecida</translation>
    </message>
    <message>
        <source>CPU restart</source>
        <translation>Reinicio de la CPU</translation>
    </message>
    <message>
        <source>Wrong try</source>
        <translation>Intento fallido</translation>
    </message>
    <message>
        <source>Time penalty</source>
        <translation>Tiempo de penalización</translation>
    </message>
    <message>
        <source>Stop count</source>
        <translation>Conteo detenido</translation>
    </message>
    <message>
        <source>Bolt closed</source>
        <translation>Cerrojo cerrado</translation>
    </message>
    <message>
        <source>Lock reset</source>
        <translation>Restablecimiento de la cerradura</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>Restablecimiento de fábrica</translation>
    </message>
    <message>
        <source>Lock installed/removed</source>
        <translation>Cerradura instalada/retirada</translation>
    </message>
    <message>
        <source>Option 00 (Remote override/Remode disable opening)</source>
        <translation>Opción 00 (Override remoto/Inhabilitación remota de la apertura)</translation>
    </message>
    <message>
        <source>Option 01 (Bolt output/Hold-up)</source>
        <translation>Opción 01 (Salida de cerrojo/Atraco)</translation>
    </message>
    <message>
        <source>Option 02 (Door alarm)</source>
        <translation>Opción 02 (Alarma de puerta)</translation>
    </message>
    <message>
        <source>Option 03 (Manual closing)</source>
        <translation>Opción 03 (Cierre manual)</translation>
    </message>
    <message>
        <source>Option 04 (Buzzer silencing)</source>
        <translation>Opción 04 (Silenciado del zumbador)</translation>
    </message>
    <message>
        <source>Option 05 (Date format)</source>
        <translation>Opción 05 (Formato de fecha)</translation>
    </message>
    <message>
        <source>Option 06 (Changing code expiring)</source>
        <translation>Opción 06 (Caducidad del código)</translation>
    </message>
    <message>
        <source>Option 07 (Disabling code expiring)</source>
        <translation>Opción 07 (Desactivación del código)</translation>
    </message>
    <message>
        <source>#</source>
        <translation>#</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Dispositivo</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Date with DST</source>
        <translation>Fecha (h. de verano)</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Event ID</source>
        <translation>ID de evento</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Usuario %1</translation>
    </message>
    <message>
        <source>Configuration %1</source>
        <translation>Configuración %1</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sí</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Not available</source>
        <translation>No disponible</translation>
    </message>
    <message>
        <source>Pre-Setup</source>
        <translation>Preconfiguración</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Remote override</source>
        <translation>Override remoto</translation>
    </message>
    <message>
        <source>Bolt switch output</source>
        <translation>Salida de contacto del cerrojo</translation>
    </message>
    <message>
        <source>Silent alarm</source>
        <translation>Alarma silenciosa</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Maestro</translation>
    </message>
    <message>
        <source>Manager 02</source>
        <translation>Gerente 02</translation>
    </message>
    <message>
        <source>Manager 03</source>
        <translation>Gerente 03</translation>
    </message>
    <message>
        <source>Master 02</source>
        <translation>Maestro 02</translation>
    </message>
    <message>
        <source>ERC 1 user</source>
        <translation>Usuario ERC 1</translation>
    </message>
    <message>
        <source>ERC 2 user</source>
        <translation>Usuario ERC 2</translation>
    </message>
    <message>
        <source>Unknown option</source>
        <translation>Opción desconocida</translation>
    </message>
    <message>
        <source>Keypad</source>
        <translation>Teclado</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Cerradura</translation>
    </message>
    <message>
        <source>An update is available. Do you want to download and install it?</source>
        <translation>Hay una actualización disponible. ¿Desea descargarla e instalarla?</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Formato de fecha</translation>
    </message>
    <message>
        <source>dd/mm/yyyy</source>
        <translation>dd/mm/yyyy</translation>
    </message>
    <message>
        <source>mm/dd/yyyy</source>
        <translation>mm/dd/yyyy</translation>
    </message>
    <message>
        <source>Hour format</source>
        <translation>Formato de hora</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 horas</translation>
    </message>
    <message>
        <source>12 hours</source>
        <translation>12 horas</translation>
    </message>
    <message>
        <source>Audit type</source>
        <translation>Tipo de auditoría</translation>
    </message>
    <message>
        <source>Full audit</source>
        <translation>Auditoría completa</translation>
    </message>
    <message>
        <source>Simple audit</source>
        <translation>Auditoría simple</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Update</source>
        <translation>Actualización</translation>
    </message>
    <message>
        <source>Downloading update...</source>
        <translation>Descargando la actualización...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Update file has been cpoied to Downloads folder</source>
        <translation>El archivo de actualización se ha copiado en la carpeta Descargas</translation>
    </message>
    <message>
        <source>Unable to download update</source>
        <translation>No se puede descargar la actualización</translation>
    </message>
    <message>
        <source>Unable to install update</source>
        <translation>No se puede instalar la actualización</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>Option %1 needs a value.</source>
        <translation>La opción %1 requiere un valor.</translation>
    </message>
    <message>
        <source>Unable to write to standard output.</source>
        <translation>No se puede escribir en la salida estándar.</translation>
    </message>
    <message>
        <source>Unable to write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Usage:
  corvane-audit-cli export INPUT OUTPUT [--table events|users|configuration]
                    [--date-format dmy|mdy] [--hour-format 24|12]
                    [--audit full|simple] [--language en|it|es]
  corvane-audit-cli show INPUT [display options as above]

INPUT is an audit file (.kaud) or a raw Dallas audit image of 8192 bytes.
OUTPUT is a .csv file, or - for standard output.
</source>
        <translation>Uso:
  corvane-audit-cli export INPUT OUTPUT [--table events|users|configuration]
                    [--date-format dmy|mdy] [--hour-format 24|12]
                    [--audit full|simple] [--language en|it|es]
  corvane-audit-cli show INPUT [opciones de visualización como arriba]

INPUT es un archivo de auditoría (.kaud) o una imagen de auditoría Dallas sin procesar de 8192 bytes.
OUTPUT es un archivo .csv, o - para la salida estándar.
</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>No se ha indicado ningún comando.</translation>
    </message>
    <message>
        <source>Unknown command: %1</source>
        <translation>Comando desconocido: %1</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Opción desconocida: %1</translation>
    </message>
    <message>
        <source>Wrong number of arguments.</source>
        <translation>Número de argumentos incorrecto.</translation>
    </message>
    <message>
        <source>Unsupported output: %1 (use a .csv file or -).</source>
        <translation>Salida no admitida: %1 (use un archivo .csv o -).</translation>
    </message>
    <message>
        <source>Unable to read %1: %2</source>
        <translation>No se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.</source>
        <translation>%1 no es un archivo de auditoría (.kaud) ni una imagen de auditoría Dallas de 8192 bytes.</translation>
    </message>
    <message>
        <source>Unknown value for %1: %2 (use %3).</source>
        <translation>Valor desconocido para %1: %2 (use %3).</translation>
    </message>
</context>
</TS>
