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
    <message>
        <source>Corvane Audit logo</source>
        <translation>Logotipo de Corvane Audit</translation>
    </message>
</context>
<context>
    <name>Archive</name>
    <message>
        <source>The archive %1 is in use by another program; try again in a moment.</source>
        <translation>El archivo %1 está en uso por otro programa; vuelva a intentarlo en un momento.</translation>
    </message>
    <message>
        <source>The archive %1 cannot be used: %2</source>
        <translation>El archivo %1 no se puede usar: %2</translation>
    </message>
    <message>
        <source>The archive %1 cannot be reached: this computer lacks the PostgreSQL driver of Qt (package libqt5sql5-psql).</source>
        <translation>No se puede acceder al archivo %1: a este equipo le falta el controlador PostgreSQL de Qt (paquete libqt5sql5-psql).</translation>
    </message>
    <message>
        <source>The archive %1 cannot be reached: %2</source>
        <translation>No se puede acceder al archivo %1: %2</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: this computer lacks the SQLite driver of Qt (package libqt5sql5-sqlite).</source>
        <translation>El archivo %1 no se puede leer: a este equipo le falta el controlador SQLite de Qt (paquete libqt5sql5-sqlite).</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: it is a folder.</source>
        <translation>El archivo %1 no se puede leer: es una carpeta.</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: the folder %2 does not exist.</source>
        <translation>El archivo %1 no se puede leer: la carpeta %2 no existe.</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: %2</source>
        <translation>El archivo %1 no se puede leer: %2</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: it is not an archive of this program, or it is damaged.</source>
        <translation>El archivo %1 no se puede leer: no es un archivo de este programa, o está dañado.</translation>
    </message>
    <message>
        <source>The archive %1 was written by a later version of Corvane Audit; update this program to use it.</source>
        <translation>El archivo %1 fue escrito por una versión posterior de Corvane Audit; actualice este programa para usarlo.</translation>
    </message>
    <message>
        <source>The audit cannot be decoded, so it is not kept in the archive.</source>
        <translation>La auditoría no se puede decodificar, así que no se guarda en el archivo.</translation>
    </message>
    <message>
        <source>The audit names no lock (it has no serial number), so it is not kept in the archive.</source>
        <translation>La auditoría no indica ninguna cerradura (no tiene número de serie), así que no se guarda en el archivo.</translation>
    </message>
    <message>
        <source>The archive %1 holds no lock %2.</source>
        <translation>El archivo %1 no contiene la cerradura %2.</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Número de serie</translation>
    </message>
    <message>
        <source>Lock name</source>
        <translation>Nombre de la cerradura</translation>
    </message>
    <message>
        <source>Visits</source>
        <translation>Visitas</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventos</translation>
    </message>
    <message>
        <source>Gaps</source>
        <translation>Huecos</translation>
    </message>
    <message>
        <source>First event</source>
        <translation>Primer evento</translation>
    </message>
    <message>
        <source>Last event</source>
        <translation>Último evento</translation>
    </message>
    <message>
        <source>Last visit</source>
        <translation>Última visita</translation>
    </message>
    <message>
        <source>The latest audit of lock %1 in the archive is not a valid audit file.</source>
        <translation>La última auditoría de la cerradura %1 en el archivo no es un archivo de auditoría válido.</translation>
    </message>
    <message>
        <source>The latest audit of lock %1 in the archive no longer decodes.</source>
        <translation>La última auditoría de la cerradura %1 en el archivo ya no se decodifica.</translation>
    </message>
    <message>
        <source>No archive was named.</source>
        <translation>No se indicó ningún archivo.</translation>
    </message>
    <message>
        <source>The archive address %1 is not usable: %2</source>
        <translation>La dirección del archivo %1 no se puede usar: %2</translation>
    </message>
    <message>
        <source>it names no server</source>
        <translation>no indica ningún servidor</translation>
    </message>
    <message>
        <source>the port is not a number from 1 to 65535</source>
        <translation>el puerto no es un número de 1 a 65535</translation>
    </message>
    <message>
        <source>it names no database</source>
        <translation>no indica ninguna base de datos</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opción desconocida %1</translation>
    </message>
    <message>
        <source>the option %1 has a value that cannot be used</source>
        <translation>la opción %1 tiene un valor que no se puede usar</translation>
    </message>
    <message>
        <source>You may read this archive but not add to it</source>
        <translation>Puede leer este archivo pero no añadirle nada</translation>
    </message>
    <message>
        <source>%1: already in the archive</source>
        <translation>%1: ya está en el archivo</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The archive %1 cannot be reached: it did not answer within %2 seconds.</source>
        <translation>No se puede acceder al archivo %1: no ha respondido en %2 segundos.</translation>
    </message>
    <message>
        <source>the connection was lost</source>
        <translation>se perdió la conexión</translation>
    </message>
    <message>
        <source>There is no archive at %1</source>
        <translation>No hay ningún archivo en %1</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>sin respuesta</translation>
    </message>
    <message>
        <source>The archive %1 holds several locks named %2: give a serial number (%3).</source>
        <translation>El archivo %1 contiene varias cerraduras llamadas %2: indique un número de serie (%3).</translation>
    </message>
    <message>
        <source>The archive is not open.</source>
        <translation>El archivo no está abierto.</translation>
    </message>
    <message>
        <source>lock name changed from %1 to %2</source>
        <translation>nombre de la cerradura cambiado de %1 a %2</translation>
    </message>
    <message>
        <source>this computer dated the download %1, before the visit of %2, but the lock&apos;s events show it is the latest visit: check the computer&apos;s clock</source>
        <translation>este ordenador fechó la descarga el %1, antes de la visita del %2, pero los eventos de la cerradura muestran que es la última visita: compruebe el reloj del ordenador</translation>
    </message>
    <message>
        <source>this computer dated the download %1, after every other visit, but the lock&apos;s events show it is visit %2 of %3: check the computer&apos;s clock</source>
        <translation>este ordenador fechó la descarga el %1, después de todas las demás visitas, pero los eventos de la cerradura muestran que es la visita %2 de %3: compruebe el reloj del ordenador</translation>
    </message>
    <message>
        <source>The archive %1 cannot be upgraded: a stored history is damaged (%2).</source>
        <translation>El archivo %1 no se puede actualizar: un historial guardado está dañado (%2).</translation>
    </message>
    <message numerus="yes">
        <source>The archive %1 was upgraded for this version: its %n audits are chained now, so that any later change shows.</source>
        <translation>
            <numerusform>El archivo %1 se ha actualizado para esta versión: su auditoría está ahora encadenada, de modo que cualquier cambio posterior se note.</numerusform>
            <numerusform>El archivo %1 se ha actualizado para esta versión: sus %n auditorías están ahora encadenadas, de modo que cualquier cambio posterior se note.</numerusform>
        </translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: a piece of a stored history is missing.</source>
        <translation>El archivo %1 no se puede leer: falta una parte de un historial guardado.</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: a piece of a stored history is empty.</source>
        <translation>El archivo %1 no se puede leer: una parte de un historial guardado está vacía.</translation>
    </message>
    <message>
        <source>The queue of audits to send, %1, cannot be used (%2).</source>
        <translation>La cola de auditorías por enviar, %1, no se puede usar (%2).</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n new events</source>
        <translation>
            <numerusform>%1: %n evento nuevo</numerusform>
            <numerusform>%1: %n eventos nuevos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n laguna</numerusform>
            <numerusform>, %n lagunas</numerusform>
        </translation>
    </message>
    <message>
        <source> (it was meant for %1)</source>
        <translation> (estaba destinada a %1)</translation>
    </message>
    <message>
        <source>it is not a valid URL (check the port; write @, /, ?, # or : in a password as %40, %2F, %3F, %23, %3A)</source>
        <translation>no es una URL válida (compruebe el puerto; en una contraseña escriba @, /, ?, # o : como %40, %2F, %3F, %23, %3A)</translation>
    </message>
    <message>
        <source>a password goes before the server&apos;s name (user:password@server), or in ~/.pgpass</source>
        <translation>una contraseña va antes del nombre del servidor (usuario:contraseña@servidor), o en ~/.pgpass</translation>
    </message>
    <message numerus="yes">
        <source>The users log is cut short: %n bytes of 832.</source>
        <translation>
            <numerusform>El registro de usuarios está incompleto: %n byte de 832.</numerusform>
            <numerusform>El registro de usuarios está incompleto: %n bytes de 832.</numerusform>
        </translation>
    </message>
    <message>
        <source>it holds an option that is not known</source>
        <translation>contiene una opción desconocida</translation>
    </message>
    <message>
        <source>The archive %1 was made by an earlier version of Corvane Audit and is read here only once upgraded: open it once with this version (for instance with archive locks), which upgrades it.</source>
        <translation>El archivo %1 fue creado por una versión anterior de Corvane Audit y aquí solo se lee una vez actualizado: ábralo una vez con esta versión (por ejemplo con archive locks), que lo actualiza.</translation>
    </message>
    <message>
        <source>it is a file, not a folder</source>
        <translation>es un fichero, no una carpeta</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>no se puede crear la carpeta</translation>
    </message>
    <message>
        <source>%1, event %2, user %3</source>
        <translation>%1, evento %2, usuario %3</translation>
    </message>
    <message>
        <source>the audit of visit %1 (downloaded %2)</source>
        <translation>la auditoría de la visita %1 (descargada el %2)</translation>
    </message>
    <message>
        <source>%1: its bytes no longer match their SHA-256</source>
        <translation>%1: sus bytes ya no coinciden con su SHA-256</translation>
    </message>
    <message>
        <source>%1: it is no longer a valid audit file</source>
        <translation>%1: ya no es un archivo de auditoría válido</translation>
    </message>
    <message>
        <source>%1: it no longer decodes</source>
        <translation>%1: ya no se decodifica</translation>
    </message>
    <message>
        <source>%1: it names another lock, %2</source>
        <translation>%1: nombra otra cerradura, %2</translation>
    </message>
    <message>
        <source>%1: the audit itself was downloaded %2</source>
        <translation>%1: la propia auditoría se descargó el %2</translation>
    </message>
    <message>
        <source>%1: what is kept of its newest events differs from the audit itself</source>
        <translation>%1: lo que se guarda de sus eventos más recientes difiere de la propia auditoría</translation>
    </message>
    <message>
        <source>its lock history cannot be read: %1</source>
        <translation>su historial de la cerradura no se puede leer: %1</translation>
    </message>
    <message>
        <source>its keypad history cannot be read: %1</source>
        <translation>su historial del teclado no se puede leer: %1</translation>
    </message>
    <message>
        <source>its history cannot be checked: not every audit of it can be joined again</source>
        <translation>su historial no se puede comprobar: no todas sus auditorías se pueden unir de nuevo</translation>
    </message>
    <message>
        <source>the gaps of its history differ from its audits (%1 kept, %2 from its audits)</source>
        <translation>los huecos de su historial difieren de sus auditorías (%1 guardados, %2 según sus auditorías)</translation>
    </message>
    <message>
        <source>event %1 of the history is credited to visit %2, its audits give visit %3</source>
        <translation>el evento %1 del historial se atribuye a la visita %2, sus auditorías dan la visita %3</translation>
    </message>
    <message>
        <source>event %1 of the history differs from its audits (the history: %2; its audits: %3)</source>
        <translation>el evento %1 del historial difiere de sus auditorías (el historial: %2; sus auditorías: %3)</translation>
    </message>
    <message>
        <source>event %1 of the history differs from its audits (the history: %2; its audits end before it)</source>
        <translation>el evento %1 del historial difiere de sus auditorías (el historial: %2; sus auditorías terminan antes)</translation>
    </message>
    <message>
        <source>event %1 of the history differs from its audits (the history ends before it; its audits: %2)</source>
        <translation>el evento %1 del historial difiere de sus auditorías (el historial termina antes; sus auditorías: %2)</translation>
    </message>
    <message>
        <source>event %1 of the history differs in the search table (there: %2)</source>
        <translation>el evento %1 del historial difiere en la tabla de búsqueda (allí: %2)</translation>
    </message>
    <message>
        <source>event %1 of the history is missing from the search table</source>
        <translation>el evento %1 del historial falta en la tabla de búsqueda</translation>
    </message>
    <message>
        <source>the search table holds an event its audits do not have (%1)</source>
        <translation>la tabla de búsqueda contiene un evento que sus auditorías no tienen (%1)</translation>
    </message>
    <message numerus="yes">
        <source>and %n more differences between the search table and its audits</source>
        <translation>
            <numerusform>y %n diferencia más entre la tabla de búsqueda y sus auditorías</numerusform>
            <numerusform>y %n diferencias más entre la tabla de búsqueda y sus auditorías</numerusform>
        </translation>
    </message>
    <message>
        <source>visits %1, its audits %2</source>
        <translation>visitas %1, sus auditorías %2</translation>
    </message>
    <message>
        <source>events %1, its audits %2</source>
        <translation>eventos %1, sus auditorías %2</translation>
    </message>
    <message>
        <source>gaps %1, its audits %2</source>
        <translation>huecos %1, sus auditorías %2</translation>
    </message>
    <message>
        <source>its first or last event</source>
        <translation>su primer o último evento</translation>
    </message>
    <message>
        <source>its line in the list of locks differs from its audits: %1</source>
        <translation>su línea en la lista de cerraduras difiere de sus auditorías: %1</translation>
    </message>
    <message>
        <source>%1: its place among the audits makes it visit %2</source>
        <translation>%1: su lugar entre las auditorías la hace la visita %2</translation>
    </message>
    <message>
        <source>the audit imported %1 belongs to no lock</source>
        <translation>la auditoría importada el %1 no pertenece a ninguna cerradura</translation>
    </message>
    <message numerus="yes">
        <source>the search table holds %n events of no lock</source>
        <translation>
            <numerusform>la tabla de búsqueda contiene %n evento de ninguna cerradura</numerusform>
            <numerusform>la tabla de búsqueda contiene %n eventos de ninguna cerradura</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n stored histories belong to no lock</source>
        <translation>
            <numerusform>%n historial guardado no pertenece a ninguna cerradura</numerusform>
            <numerusform>%n historiales guardados no pertenecen a ninguna cerradura</numerusform>
        </translation>
    </message>
    <message>
        <source>an audit was removed or changed</source>
        <translation>una auditoría fue eliminada o modificada</translation>
    </message>
    <message>
        <source>a link before it was removed, or links were put in another order</source>
        <translation>un eslabón anterior fue eliminado, o los eslabones se pusieron en otro orden</translation>
    </message>
    <message>
        <source>its link was changed</source>
        <translation>su eslabón fue modificado</translation>
    </message>
    <message>
        <source>the chain breaks at the import of %1: %2</source>
        <translation>la cadena se rompe en la importación del %1: %2</translation>
    </message>
    <message>
        <source>no link of the chain has the head %1: what it covered was removed or changed, or it is the head of another archive</source>
        <translation>ningún eslabón de la cadena tiene la cabeza %1: lo que cubría fue eliminado o modificado, o es la cabeza de otro archivo</translation>
    </message>
    <message>
        <source>%1 has no link in the chain</source>
        <translation>%1 no tiene eslabón en la cadena</translation>
    </message>
    <message>
        <source>%1 is not a closed day in the archive %2.</source>
        <translation>%1 no es un día de cierre en el archivo %2.</translation>
    </message>
    <message>
        <source>The archive no longer holds visit %1 of lock %2 as it was shown: open the history again.</source>
        <translation>El archivo ya no contiene la visita %1 de la cerradura %2 tal como se mostraba: abra de nuevo el historial.</translation>
    </message>
    <message>
        <source>the lock did not tell its serial number</source>
        <translation>la cerradura no indicó su número de serie</translation>
    </message>
    <message>
        <source>Users log kept in the archive with lock %1</source>
        <translation>Registro de usuarios guardado en el archivo con la cerradura %1</translation>
    </message>
    <message>
        <source>The users log was not kept in the archive: %1
Users logs do not wait on this computer: download it again once the archive answers.</source>
        <translation>El registro de usuarios no se guardó en el archivo: %1
Los registros de usuarios no esperan en este equipo: descárguelo de nuevo cuando el archivo responda.</translation>
    </message>
    <message>
        <source>The users log was not kept in the archive: %1</source>
        <translation>El registro de usuarios no se guardó en el archivo: %1</translation>
    </message>
</context>
<context>
    <name>ConfigurationTab</name>
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
        <source>Lock clock:</source>
        <translation>Reloj de la cerradura:</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuración</translation>
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
</context>
<context>
    <name>DeviceOperation</name>
    <message>
        <source>Done</source>
        <translation>Operación completada</translation>
    </message>
    <message>
        <source>Communication error</source>
        <translation>Error de comunicación</translation>
    </message>
    <message>
        <source>No answer from lock</source>
        <translation>La cerradura no responde</translation>
    </message>
    <message>
        <source>No answer from keypad</source>
        <translation>El teclado no responde</translation>
    </message>
    <message>
        <source>USB interface disconnected</source>
        <translation>Interfaz USB desconectada</translation>
    </message>
    <message>
        <source>Dallas key not valid</source>
        <translation>Llave Dallas no válida</translation>
    </message>
    <message>
        <source>Waiting for Dallas key...</source>
        <translation>Esperando la llave Dallas...</translation>
    </message>
    <message>
        <source>No Dallas key found</source>
        <translation>No se encontró ninguna llave Dallas</translation>
    </message>
    <message>
        <source>Please enable download mode (function 7) on keypad</source>
        <translation>Active el modo de descarga (función 7) en el teclado</translation>
    </message>
    <message>
        <source>Lock error %1</source>
        <translation>Error de la cerradura %1</translation>
    </message>
    <message>
        <source>Unable to open USB interface</source>
        <translation>No se puede abrir la interfaz USB</translation>
    </message>
    <message>
        <source>Reading Dallas key...</source>
        <translation>Leyendo la llave Dallas...</translation>
    </message>
    <message>
        <source>Writing Dallas key...</source>
        <translation>Escribiendo la llave Dallas...</translation>
    </message>
    <message>
        <source>Downloading audit...</source>
        <translation>Descargando la auditoría...</translation>
    </message>
    <message>
        <source>Please connect the PC to the keypad</source>
        <translation>Conecte el PC al teclado</translation>
    </message>
    <message>
        <source>Lock&apos;s firmware not compatible with this function</source>
        <translation>El firmware de la cerradura no es compatible con esta función</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>no existe el dispositivo</translation>
    </message>
    <message>
        <source>not a serial port</source>
        <translation>no es un puerto serie</translation>
    </message>
    <message>
        <source>no permission to use it</source>
        <translation>sin permiso para usarlo</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>en uso por otro programa</translation>
    </message>
    <message>
        <source>The capture is off: %1 cannot be written (%2). The operation goes on without it.</source>
        <translation>La captura está desactivada: no se puede escribir %1 (%2). La operación continúa sin ella.</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>no se puede crear la carpeta</translation>
    </message>
    <message>
        <source>%1 events, stopping at the last visit (%2 s)</source>
        <translation>%1 eventos, deteniéndose en la última visita (%2 s)</translation>
    </message>
    <message numerus="yes">
        <source>The download was cancelled after %n events; they are kept, marked as partial.</source>
        <translation>
            <numerusform>La descarga se canceló después de %n evento; se conserva, marcado como parcial.</numerusform>
            <numerusform>La descarga se canceló después de %n eventos; se conservan, marcados como parciales.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the download stopped after %n events; they are kept, marked as partial.</source>
        <translation>
            <numerusform>%1: la descarga se detuvo después de %n evento; se conserva, marcado como parcial.</numerusform>
            <numerusform>%1: la descarga se detuvo después de %n eventos; se conservan, marcados como parciales.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (partial: %n events)</source>
        <translation>
            <numerusform>%1 (parcial: %n evento)</numerusform>
            <numerusform>%1 (parcial: %n eventos)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DstGroup</name>
    <message>
        <source>Daylight saving time</source>
        <translation>Horario de verano</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>Week of the month in which daylight saving time starts</source>
        <translation>Semana del mes en que empieza el horario de verano</translation>
    </message>
    <message>
        <source>Start week</source>
        <translation>Semana de inicio</translation>
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
        <source>Day of the week on which daylight saving time starts</source>
        <translation>Día de la semana en que empieza el horario de verano</translation>
    </message>
    <message>
        <source>Start weekday</source>
        <translation>Día de inicio</translation>
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
        <source>Month in which daylight saving time starts</source>
        <translation>Mes en que empieza el horario de verano</translation>
    </message>
    <message>
        <source>Start month</source>
        <translation>Mes de inicio</translation>
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
        <source>Week of the month in which daylight saving time ends</source>
        <translation>Semana del mes en que termina el horario de verano</translation>
    </message>
    <message>
        <source>End week</source>
        <translation>Semana de fin</translation>
    </message>
    <message>
        <source>Day of the week on which daylight saving time ends</source>
        <translation>Día de la semana en que termina el horario de verano</translation>
    </message>
    <message>
        <source>End weekday</source>
        <translation>Día de fin</translation>
    </message>
    <message>
        <source>Month in which daylight saving time ends</source>
        <translation>Mes en que termina el horario de verano</translation>
    </message>
    <message>
        <source>End month</source>
        <translation>Mes de fin</translation>
    </message>
    <message>
        <source>Whether the event times are moved forward or back</source>
        <translation>Si las horas de los eventos se adelantan o se atrasan</translation>
    </message>
    <message>
        <source>Add or subtract</source>
        <translation>Sumar o restar</translation>
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
        <source>Hours by which the event times are moved</source>
        <translation>Horas que se desplazan las horas de los eventos</translation>
    </message>
    <message>
        <source>Hours to shift</source>
        <translation>Horas de desplazamiento</translation>
    </message>
    <message>
        <source>Show the event times corrected for daylight saving time</source>
        <translation>Muestra las horas de los eventos corregidas según el horario de verano</translation>
    </message>
    <message>
        <source>Set daylight saving time</source>
        <translation>Aplicar el horario de verano</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Findings</name>
    <message>
        <source>Duress opening</source>
        <translation>Apertura bajo coacción</translation>
    </message>
    <message>
        <source>Opening outside hours</source>
        <translation>Apertura fuera de horario</translation>
    </message>
    <message>
        <source>Wrong code burst</source>
        <translation>Serie de códigos erróneos</translation>
    </message>
    <message>
        <source>Clock set</source>
        <translation>Reloj ajustado</translation>
    </message>
    <message>
        <source>Opening after clock set</source>
        <translation>Apertura tras ajustar el reloj</translation>
    </message>
    <message>
        <source>Door opened without opening</source>
        <translation>Puerta abierta sin apertura</translation>
    </message>
    <message>
        <source>Door held open</source>
        <translation>Puerta mantenida abierta</translation>
    </message>
    <message>
        <source>Delays changed</source>
        <translation>Retardos modificados</translation>
    </message>
    <message>
        <source>Lock restarted</source>
        <translation>Cerradura reiniciada</translation>
    </message>
    <message>
        <source>Lock reset</source>
        <translation>Restablecimiento de la cerradura</translation>
    </message>
    <message>
        <source>Events missing</source>
        <translation>Eventos faltantes</translation>
    </message>
    <message>
        <source>Not visited</source>
        <translation>No visitada</translation>
    </message>
    <message>
        <source>Unknown finding &quot;%1&quot;: the findings are %2.</source>
        <translation>Hallazgo desconocido &quot;%1&quot;: los hallazgos son %2.</translation>
    </message>
    <message>
        <source>No finding is named.</source>
        <translation>No se indica ningún hallazgo.</translation>
    </message>
    <message>
        <source>A burst of wrong codes is %1 to %2 wrong tries, not %3.</source>
        <translation>Una serie de códigos erróneos es de %1 a %2 intentos fallidos, no %3.</translation>
    </message>
    <message>
        <source>The minutes between wrong codes are %1 to %2, not %3.</source>
        <translation>Los minutos entre códigos erróneos son de %1 a %2, no %3.</translation>
    </message>
    <message>
        <source>The minutes after a clock setting are %1 to %2, not %3.</source>
        <translation>Los minutos tras un ajuste del reloj son de %1 a %2, no %3.</translation>
    </message>
    <message>
        <source>The minutes a door may stay open are %1 to %2, not %3.</source>
        <translation>Los minutos que una puerta puede quedar abierta son de %1 a %2, no %3.</translation>
    </message>
    <message>
        <source>The days without a visit are %1 to %2, not %3.</source>
        <translation>Los días sin visita son de %1 a %2, no %3.</translation>
    </message>
    <message>
        <source>Bad wrong-code threshold &quot;%1&quot;: it is a count and minutes, as in 5/10.</source>
        <translation>Umbral de códigos erróneos no válido &quot;%1&quot;: es un número y unos minutos, como en 5/10.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number.</source>
        <translation>&quot;%1&quot; no es un número entero.</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Hallazgo</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Hasta</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Persona</translation>
    </message>
    <message>
        <source>Bad range &quot;%1&quot;: a range is a start and an end, as in 07:00-20:00.</source>
        <translation>Intervalo no válido &quot;%1&quot;: un intervalo es un inicio y un fin, como en 07:00-20:00.</translation>
    </message>
    <message>
        <source>Bad time &quot;%1&quot;: a time is HH:MM from 00:00 to 23:59, or 24:00 as an end.</source>
        <translation>Hora no válida &quot;%1&quot;: una hora es HH:MM de 00:00 a 23:59, o 24:00 como fin.</translation>
    </message>
    <message>
        <source>The range %1 does not end after it starts; hours past midnight are a range on each day, as in &quot;Mon 22:00-24:00; Tue 00:00-06:00&quot;.</source>
        <translation>El intervalo %1 no termina después de empezar; las horas pasada la medianoche son un intervalo en cada día, como en &quot;Mon 22:00-24:00; Tue 00:00-06:00&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not start with its days, as in &quot;Mon-Fri 07:00-20:00&quot;.</source>
        <translation>&quot;%1&quot; no empieza por sus días, como en &quot;Mon-Fri 07:00-20:00&quot;.</translation>
    </message>
    <message>
        <source>Unknown day &quot;%1&quot;: the days are Mon, Tue, Wed, Thu, Fri, Sat and Sun.</source>
        <translation>Día desconocido &quot;%1&quot;: los días son Mon, Tue, Wed, Thu, Fri, Sat y Sun.</translation>
    </message>
    <message>
        <source>The days %1 run backwards: a range of days goes from the earlier to the later, as in Mon-Fri.</source>
        <translation>Los días %1 van hacia atrás: un intervalo de días va del primero al último, como en Mon-Fri.</translation>
    </message>
    <message>
        <source>No hours are given for %1.</source>
        <translation>No se indica ningún horario para %1.</translation>
    </message>
    <message>
        <source>No opening hours are given: write them as in &quot;Mon-Fri 07:00-20:00&quot;, or &quot;closed&quot;.</source>
        <translation>No se indica ningún horario de apertura: escríbalo como en &quot;Mon-Fri 07:00-20:00&quot;, o &quot;closed&quot;.</translation>
    </message>
    <message>
        <source>The ranges %1 and %2 overlap on %3.</source>
        <translation>Los intervalos %1 y %2 de %3 se solapan.</translation>
    </message>
</context>
<context>
    <name>FindingsTab</name>
    <message>
        <source>All locks</source>
        <translation>Todas las cerraduras</translation>
    </message>
    <message>
        <source>Locks selected in the Locks tab</source>
        <translation>Cerraduras seleccionadas en la pestaña Cerraduras</translation>
    </message>
    <message>
        <source>Audit on screen</source>
        <translation>Auditoría en pantalla</translation>
    </message>
    <message>
        <source>Findings of</source>
        <translation>Hallazgos de</translation>
    </message>
    <message>
        <source>Judge again</source>
        <translation>Evaluar de nuevo</translation>
    </message>
    <message>
        <source>Judge the locks again by the archive&apos;s hours, closed days and thresholds</source>
        <translation>Evaluar de nuevo las cerraduras según los horarios, los días de cierre y los umbrales del archivo</translation>
    </message>
    <message>
        <source>Export to Excel</source>
        <translation>Exportar a Excel</translation>
    </message>
    <message>
        <source>Write the findings listed to a workbook</source>
        <translation>Escribe los hallazgos listados en un libro de trabajo</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>Exportar a PDF</translation>
    </message>
    <message>
        <source>Write the findings listed to a PDF report</source>
        <translation>Escribe los hallazgos listados en un informe PDF</translation>
    </message>
    <message>
        <source>From YYYY-MM-DD</source>
        <translation>Desde AAAA-MM-DD</translation>
    </message>
    <message>
        <source>Findings from this day</source>
        <translation>Hallazgos desde este día</translation>
    </message>
    <message>
        <source>To YYYY-MM-DD</source>
        <translation>Hasta AAAA-MM-DD</translation>
    </message>
    <message>
        <source>Findings up to this day</source>
        <translation>Hallazgos hasta este día</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Hallazgo</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Cerradura</translation>
    </message>
    <message>
        <source>Any finding</source>
        <translation>Cualquier hallazgo</translation>
    </message>
    <message>
        <source>Select locks in the Locks tab, or search for them there.</source>
        <translation>Seleccione cerraduras en la pestaña Cerraduras, o búsquelas allí.</translation>
    </message>
    <message>
        <source>Judging the locks...</source>
        <translation>Evaluando las cerraduras...</translation>
    </message>
    <message numerus="yes">
        <source>%n locks judged by the archive&apos;s hours, closed days and thresholds.</source>
        <translation>
            <numerusform>%n cerradura evaluada según los horarios, los días de cierre y los umbrales del archivo.</numerusform>
            <numerusform>%n cerraduras evaluadas según los horarios, los días de cierre y los umbrales del archivo.</numerusform>
        </translation>
    </message>
    <message>
        <source>The audit on screen, judged by the default hours and thresholds.</source>
        <translation>La auditoría en pantalla, evaluada según los horarios y umbrales predeterminados.</translation>
    </message>
    <message>
        <source>Open or download an audit to see its findings; a lock&apos;s history has them under All locks.</source>
        <translation>Abra o descargue una auditoría para ver sus hallazgos; los del historial de una cerradura están en Todas las cerraduras.</translation>
    </message>
    <message>
        <source>Any lock</source>
        <translation>Cualquier cerradura</translation>
    </message>
    <message>
        <source>The first day is not a date as YYYY-MM-DD: %1</source>
        <translation>El primer día no es una fecha como AAAA-MM-DD: %1</translation>
    </message>
    <message>
        <source>The last day is not a date as YYYY-MM-DD: %1</source>
        <translation>El último día no es una fecha como AAAA-MM-DD: %1</translation>
    </message>
    <message>
        <source>No findings</source>
        <translation>Ningún hallazgo</translation>
    </message>
    <message numerus="yes">
        <source>Findings: %n locks, %1 to %2</source>
        <translation>
            <numerusform>Hallazgos: %n cerradura, del %1 al %2</numerusform>
            <numerusform>Hallazgos: %n cerraduras, del %1 al %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Findings: %n locks</source>
        <translation>
            <numerusform>Hallazgos: %n cerradura</numerusform>
            <numerusform>Hallazgos: %n cerraduras</numerusform>
        </translation>
    </message>
    <message>
        <source>No findings to export.</source>
        <translation>Ningún hallazgo que exportar.</translation>
    </message>
    <message>
        <source>Findings exported to %1</source>
        <translation>Hallazgos exportados a %1</translation>
    </message>
    <message>
        <source>Unable to export the findings: %1</source>
        <translation>No se pudieron exportar los hallazgos: %1</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>not a stored history</source>
        <translation>no es un historial guardado</translation>
    </message>
    <message>
        <source>the stored history is cut short</source>
        <translation>el historial guardado está cortado</translation>
    </message>
    <message>
        <source>the stored history has bytes after its end</source>
        <translation>el historial guardado tiene bytes tras su final</translation>
    </message>
    <message>
        <source>the stored history is too long to be read</source>
        <translation>el historial guardado es demasiado largo para leerlo</translation>
    </message>
</context>
<context>
    <name>LockClock</name>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n día</numerusform>
            <numerusform>%n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n hora</numerusform>
            <numerusform>%n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minutos</numerusform>
        </translation>
    </message>
    <message>
        <source>Same as the computer&apos;s clock</source>
        <translation>Igual que el reloj del ordenador</translation>
    </message>
    <message>
        <source>%1 ahead of the computer&apos;s clock</source>
        <translation>%1 adelantado respecto al reloj del ordenador</translation>
    </message>
    <message>
        <source>%1 behind the computer&apos;s clock</source>
        <translation>%1 atrasado respecto al reloj del ordenador</translation>
    </message>
    <message>
        <source>The lock&apos;s clock is %1 ahead of the computer&apos;s clock. Set it on the keypad before you leave.</source>
        <translation>El reloj de la cerradura va %1 adelantado respecto al del ordenador. Póngalo en hora desde el teclado antes de irse.</translation>
    </message>
    <message>
        <source>The lock&apos;s clock is %1 behind the computer&apos;s clock. Set it on the keypad before you leave.</source>
        <translation>El reloj de la cerradura va %1 atrasado respecto al del ordenador. Póngalo en hora desde el teclado antes de irse.</translation>
    </message>
</context>
<context>
    <name>LocksTab</name>
    <message>
        <source>Search by serial number or lock name</source>
        <translation>Buscar por número de serie o nombre de la cerradura</translation>
    </message>
    <message>
        <source>Search locks</source>
        <translation>Buscar cerraduras</translation>
    </message>
    <message>
        <source>Open history</source>
        <translation>Abrir historial</translation>
    </message>
    <message>
        <source>Show the lock&apos;s whole history in the Events tab</source>
        <translation>Muestra todo el historial de la cerradura en la pestaña Eventos</translation>
    </message>
    <message>
        <source>From YYYY-MM-DD</source>
        <translation>Desde AAAA-MM-DD</translation>
    </message>
    <message>
        <source>Events from this day</source>
        <translation>Eventos desde este día</translation>
    </message>
    <message>
        <source>To YYYY-MM-DD</source>
        <translation>Hasta AAAA-MM-DD</translation>
    </message>
    <message>
        <source>Events up to this day</source>
        <translation>Eventos hasta este día</translation>
    </message>
    <message>
        <source>Any user</source>
        <translation>Cualquier usuario</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>The matching events of every lock listed, newest first</source>
        <translation>Los eventos que coinciden de cada cerradura listada, del más reciente</translation>
    </message>
    <message>
        <source>Send now</source>
        <translation>Enviar ahora</translation>
    </message>
    <message>
        <source>Any event</source>
        <translation>Cualquier evento</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>%1 audits waiting to be sent</source>
        <translation>%1 auditorías esperando ser enviadas</translation>
    </message>
    <message>
        <source>The first day is not a date as YYYY-MM-DD: %1</source>
        <translation>El primer día no es una fecha como AAAA-MM-DD: %1</translation>
    </message>
    <message>
        <source>The last day is not a date as YYYY-MM-DD: %1</source>
        <translation>El último día no es una fecha como AAAA-MM-DD: %1</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Buscando...</translation>
    </message>
    <message>
        <source>Download new events</source>
        <translation>Descargar eventos nuevos</translation>
    </message>
    <message>
        <source>Download from the connected lock only what it recorded since the last visit</source>
        <translation>Descarga de la cerradura conectada solo lo que registró desde la última visita</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Usuario</translation>
    </message>
    <message numerus="yes">
        <source>%n events found</source>
        <translation>
            <numerusform>%n evento encontrado</numerusform>
            <numerusform>%n eventos encontrados</numerusform>
        </translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Hallazgos</translation>
    </message>
    <message numerus="yes">
        <source>Findings of the last %n days, today included, as the archive&apos;s hours, closed days and thresholds judge them</source>
        <translation>
            <numerusform>Hallazgos del último día, hoy incluido, según los horarios, los días de cierre y los umbrales del archivo</numerusform>
            <numerusform>Hallazgos de los últimos %n días, hoy incluido, según los horarios, los días de cierre y los umbrales del archivo</numerusform>
        </translation>
    </message>
    <message>
        <source>People...</source>
        <translation>Personas...</translation>
    </message>
    <message>
        <source>Who held each of the selected lock&apos;s user numbers, and when</source>
        <translation>Quién tuvo cada número de usuario de la cerradura seleccionada, y cuándo</translation>
    </message>
    <message>
        <source>Save the lock&apos;s audits...</source>
        <translation>Guardar las auditorías de la cerradura...</translation>
    </message>
    <message>
        <source>Every audit of the selected lock exactly as it was kept, with their SHA-256 sums in SHA256SUMS</source>
        <translation>Cada auditoría de la cerradura seleccionada exactamente como se guardó, con sus sumas SHA-256 en SHA256SUMS</translation>
    </message>
    <message>
        <source>Opening hours:</source>
        <translation>Horario de apertura:</translation>
    </message>
    <message>
        <source>When the selected lock may be opened: an opening at any other time is a finding</source>
        <translation>Cuándo puede abrirse la cerradura seleccionada: una apertura en cualquier otro momento es un hallazgo</translation>
    </message>
    <message>
        <source>Save hours</source>
        <translation>Guardar horario</translation>
    </message>
    <message>
        <source>Use the default</source>
        <translation>Usar el predeterminado</translation>
    </message>
    <message>
        <source>The lock is judged by the archive&apos;s default hours again</source>
        <translation>La cerradura vuelve a juzgarse según el horario predeterminado del archivo</translation>
    </message>
    <message>
        <source>The lock&apos;s own opening hours</source>
        <translation>Horario de apertura propio de la cerradura</translation>
    </message>
    <message>
        <source>The archive&apos;s default opening hours</source>
        <translation>Horario de apertura predeterminado del archivo</translation>
    </message>
    <message>
        <source>Save the audits of lock %1 in</source>
        <translation>Guardar las auditorías de la cerradura %1 en</translation>
    </message>
    <message>
        <source>Unable to write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.</source>
        <translation>
            <numerusform>%n auditoría de la cerradura %1 escrita en %2, con su suma SHA-256 en SHA256SUMS.</numerusform>
            <numerusform>%n auditorías de la cerradura %1 escritas en %2, con sus sumas SHA-256 en SHA256SUMS.</numerusform>
        </translation>
    </message>
    <message>
        <source>These no longer match the SHA-256 recorded at their import: %1</source>
        <translation>Estas ya no coinciden con el SHA-256 registrado al importarlas: %1</translation>
    </message>
    <message>
        <source>Events found</source>
        <translation>Eventos encontrados</translation>
    </message>
    <message numerus="yes">
        <source>Events found: %n</source>
        <translation>
            <numerusform>Eventos encontrados: %n</numerusform>
            <numerusform>Eventos encontrados: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Events exported to %1</source>
        <translation>Eventos exportados a %1</translation>
    </message>
    <message>
        <source>Unable to export the events: %1</source>
        <translation>No se pueden exportar los eventos: %1</translation>
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
        <source>Unable to find any USB interface</source>
        <translation>No se encontró ninguna interfaz USB</translation>
    </message>
    <message>
        <source>Warning: this operation will delete all data in Dallas key. Do you want to proceed?</source>
        <translation>Atención: esta operación borrará todos los datos de la llave Dallas. ¿Desea continuar?</translation>
    </message>
    <message>
        <source>You have already set DST for these events. Do you want to set it again?</source>
        <translation>Ya ha aplicado el horario de verano a estos eventos. ¿Desea aplicarlo de nuevo?</translation>
    </message>
    <message>
        <source>Audit successfully exported</source>
        <translation>Auditoría exportada correctamente</translation>
    </message>
    <message>
        <source>Unable to export audit</source>
        <translation>No se puede exportar la auditoría</translation>
    </message>
    <message>
        <source>No audit to export</source>
        <translation>No hay ninguna auditoría que exportar</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Página</translation>
    </message>
    <message>
        <source>of</source>
        <translation>de</translation>
    </message>
    <message>
        <source>An update is available. Do you want to download and install it?</source>
        <translation>Hay una actualización disponible. ¿Desea descargarla e instalarla?</translation>
    </message>
    <message>
        <source>Clear the audit on display</source>
        <translation>Borra la auditoría mostrada</translation>
    </message>
    <message>
        <source>Save the audit to a file</source>
        <translation>Guarda la auditoría en un archivo</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Open an audit file</source>
        <translation>Abre un archivo de auditoría</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Export the audit to PDF or Excel</source>
        <translation>Exporta la auditoría a PDF o Excel</translation>
    </message>
    <message>
        <source>Prepare a Dallas key to collect the audit of a lock</source>
        <translation>Prepara una llave Dallas para recoger la auditoría de una cerradura</translation>
    </message>
    <message>
        <source>Create Dallas audit key</source>
        <translation>Crear llave Dallas de auditoría</translation>
    </message>
    <message>
        <source>Read the audit collected by a Dallas key</source>
        <translation>Lee la auditoría recogida por una llave Dallas</translation>
    </message>
    <message>
        <source>Read Dallas audit key</source>
        <translation>Leer llave Dallas de auditoría</translation>
    </message>
    <message>
        <source>Download the audit or the users log from the lock</source>
        <translation>Descarga de la cerradura la auditoría o el registro de usuarios</translation>
    </message>
    <message>
        <source>Date format, hour format and audit type</source>
        <translation>Formato de fecha, formato de hora y tipo de auditoría</translation>
    </message>
    <message>
        <source>Italian, English or Spanish</source>
        <translation>Italiano, inglés o español</translation>
    </message>
    <message>
        <source>Version, updates and program information</source>
        <translation>Versión, actualizaciones e información del programa</translation>
    </message>
    <message>
        <source>USB interface</source>
        <translation>Interfaz USB</translation>
    </message>
    <message>
        <source>Serial port of the USB interface</source>
        <translation>Puerto serie de la interfaz USB</translation>
    </message>
    <message>
        <source>USB interface port</source>
        <translation>Puerto de la interfaz USB</translation>
    </message>
    <message>
        <source>Look for USB interfaces again</source>
        <translation>Busca de nuevo las interfaces USB</translation>
    </message>
    <message>
        <source>Refresh interfaces</source>
        <translation>Actualizar interfaces</translation>
    </message>
    <message>
        <source>Events table</source>
        <translation>Tabla de eventos</translation>
    </message>
    <message>
        <source>Users table</source>
        <translation>Tabla de usuarios</translation>
    </message>
    <message>
        <source>Set filter</source>
        <translation>Aplicar filtro</translation>
    </message>
    <message>
        <source>Show only the rows that match the checked items</source>
        <translation>Muestra solo las filas que coinciden con los elementos marcados</translation>
    </message>
    <message>
        <source>Reset filter</source>
        <translation>Restablecer filtro</translation>
    </message>
    <message>
        <source>Clear the checked items and show every row</source>
        <translation>Desmarca los elementos y muestra todas las filas</translation>
    </message>
    <message>
        <source>Date filter</source>
        <translation>Filtro de fecha</translation>
    </message>
    <message>
        <source>Dates to show</source>
        <translation>Fechas que mostrar</translation>
    </message>
    <message>
        <source>User filter</source>
        <translation>Filtro de usuario</translation>
    </message>
    <message>
        <source>Users to show</source>
        <translation>Usuarios que mostrar</translation>
    </message>
    <message>
        <source>Event filter</source>
        <translation>Filtro de evento</translation>
    </message>
    <message>
        <source>Events to show</source>
        <translation>Eventos que mostrar</translation>
    </message>
    <message>
        <source>Event ID filter</source>
        <translation>Filtro de ID de evento</translation>
    </message>
    <message>
        <source>Event IDs to show</source>
        <translation>ID de evento que mostrar</translation>
    </message>
    <message>
        <source>The file name is not valid text in this system&apos;s encoding: the file cannot be opened.</source>
        <translation>El nombre del archivo no es un texto válido en la codificación de este sistema: el archivo no se puede abrir.</translation>
    </message>
    <message>
        <source>%1 is the audit file on display: choose another name for the export.</source>
        <translation>%1 es el archivo de auditoría que se muestra: elija otro nombre para la exportación.</translation>
    </message>
    <message>
        <source>Visit</source>
        <translation>Visita</translation>
    </message>
    <message>
        <source>Lock %1 %2: one visit, %3</source>
        <translation>Cerradura %1 %2: una visita, %3</translation>
    </message>
    <message>
        <source>Lock %1 %2: %3 visits, %4 to %5</source>
        <translation>Cerradura %1 %2: %3 visitas, del %4 al %5</translation>
    </message>
    <message>
        <source>Locks</source>
        <translation>Cerraduras</translation>
    </message>
    <message>
        <source>Add to archive</source>
        <translation>Añadir al archivo</translation>
    </message>
    <message>
        <source>This audit is already in the archive.</source>
        <translation>Esta auditoría ya está en el archivo.</translation>
    </message>
    <message>
        <source>The audit was not kept in the archive: %1
It is still on screen and can be saved as a file.</source>
        <translation>La auditoría no se guardó en el archivo: %1
Sigue en pantalla y se puede guardar como fichero.</translation>
    </message>
    <message>
        <source>Open or download an audit to add it to the archive.</source>
        <translation>Abra o descargue una auditoría para añadirla al archivo.</translation>
    </message>
    <message>
        <source>Events may be missing here</source>
        <translation>Aquí pueden faltar eventos</translation>
    </message>
    <message>
        <source>Only new since last visit</source>
        <translation>Solo los nuevos desde la última visita</translation>
    </message>
    <message>
        <source>%1
The audits are kept on this computer and sent when the archive answers again (Locks tab, &quot;Send now&quot;).</source>
        <translation>%1
Las auditorías se guardan en este equipo y se envían cuando el archivo vuelva a responder (pestaña Cerraduras, &quot;Enviar ahora&quot;).</translation>
    </message>
    <message numerus="yes">
        <source>Kept in the archive: lock %1, %n new events</source>
        <translation>
            <numerusform>Guardada en el archivo: cerradura %1, %n evento nuevo</numerusform>
            <numerusform>Guardada en el archivo: cerradura %1, %n eventos nuevos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n laguna</numerusform>
            <numerusform>, %n lagunas</numerusform>
        </translation>
    </message>
    <message>
        <source>Not kept in the archive: %1. The audit is on screen and can be saved as a file.</source>
        <translation>No guardada en el archivo: %1. La auditoría está en pantalla y se puede guardar como archivo.</translation>
    </message>
    <message numerus="yes">
        <source>%n audits waiting to be sent</source>
        <translation>
            <numerusform>%n auditoría pendiente de envío</numerusform>
            <numerusform>%n auditorías pendientes de envío</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n audits sent to the archive</source>
        <translation>
            <numerusform>%n auditoría enviada al archivo</numerusform>
            <numerusform>%n auditorías enviadas al archivo</numerusform>
        </translation>
    </message>
    <message>
        <source>Lock %1 %2: Visit %3 of %4, %5</source>
        <translation>Cerradura %1 %2: visita %3 de %4, %5</translation>
    </message>
    <message numerus="yes">
        <source>%n gaps</source>
        <translation>
            <numerusform>%n hueco</numerusform>
            <numerusform>%n huecos</numerusform>
        </translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>Impreso el %1</translation>
    </message>
    <message>
        <source>Close this notice</source>
        <translation>Cerrar este aviso</translation>
    </message>
    <message>
        <source>Close notice</source>
        <translation>Cerrar aviso</translation>
    </message>
    <message>
        <source>The manual is not installed.</source>
        <translation>El manual no está instalado.</translation>
    </message>
    <message>
        <source>The manual could not be opened: %1</source>
        <translation>No se puede abrir el manual: %1</translation>
    </message>
    <message>
        <source>Manual: %1</source>
        <translation>Manual: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n events shown of %1</source>
        <translation>
            <numerusform>%n evento mostrado de %1</numerusform>
            <numerusform>%n eventos mostrados de %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Persona</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Hallazgos</translation>
    </message>
    <message>
        <source>Nothing deserves a look.</source>
        <translation>Nada que revisar.</translation>
    </message>
    <message>
        <source>bus download</source>
        <translation>descarga por bus</translation>
    </message>
    <message>
        <source>Dallas key</source>
        <translation>llave Dallas</translation>
    </message>
    <message>
        <source>file</source>
        <translation>archivo</translation>
    </message>
    <message>
        <source>Evidence</source>
        <translation>Pruebas</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Descargada</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Imported by</source>
        <translation>Importada por</translation>
    </message>
    <message>
        <source>Imported at</source>
        <translation>Importada el</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Chain head of the archive when this report was made: %1</source>
        <translation>Cabeza de la cadena del archivo cuando se creó este informe: %1</translation>
    </message>
    <message>
        <source>Check with: corvane-audit-cli archive verify --head %1; corvane-audit-cli archive audits %2 DIR; sha256sum -c SHA256SUMS</source>
        <translation>Compruébelo con: corvane-audit-cli archive verify --head %1; corvane-audit-cli archive audits %2 DIR; sha256sum -c SHA256SUMS</translation>
    </message>
    <message>
        <source>The archive&apos;s findings settings were not changed: %1</source>
        <translation>Los ajustes de hallazgos del archivo no se cambiaron: %1</translation>
    </message>
    <message>
        <source>%1
The report was not written: it could not carry the lock&apos;s findings and the evidence of its audits.</source>
        <translation>%1
El informe no se ha escrito: no podía incluir los hallazgos de la cerradura ni las pruebas de sus auditorías.</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>the file could not be completed</source>
        <translation>el archivo no se pudo completar</translation>
    </message>
    <message>
        <source>not a file that can be written</source>
        <translation>no es un archivo que se pueda escribir</translation>
    </message>
    <message>
        <source>a cell holds more than a workbook can</source>
        <translation>una celda contiene más de lo que admite un libro</translation>
    </message>
</context>
<context>
    <name>People</name>
    <message>
        <source>Person</source>
        <translation>Persona</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Hasta</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a day: write it as YYYY-MM-DD.</source>
        <translation>&apos;%1&apos; no es un día: escríbalo como AAAA-MM-DD.</translation>
    </message>
    <message>
        <source>User number %1 cannot be named: people hold users 1 to 59, the managers (60 to 62) and the masters (80 and 81).</source>
        <translation>El número de usuario %1 no puede llevar nombre: las personas ocupan los usuarios del 1 al 59, los gerentes (del 60 al 62) y los maestros (80 y 81).</translation>
    </message>
    <message>
        <source>The name of the person is empty.</source>
        <translation>El nombre de la persona está vacío.</translation>
    </message>
    <message>
        <source>The name of the person is longer than 80 characters.</source>
        <translation>El nombre de la persona supera los 80 caracteres.</translation>
    </message>
    <message>
        <source>The name of the person holds a line break, a tab or another control character.</source>
        <translation>El nombre de la persona contiene un salto de línea, un tabulador u otro carácter de control.</translation>
    </message>
    <message>
        <source>The tenure has no first day.</source>
        <translation>El periodo no tiene primer día.</translation>
    </message>
    <message>
        <source>The last day, %1, is before the first, %2.</source>
        <translation>El último día, %1, es anterior al primero, %2.</translation>
    </message>
    <message>
        <source>%1 is %2 since %3</source>
        <translation>%1 es %2 desde el %3</translation>
    </message>
    <message>
        <source>%1 is %2 from %3 to %4</source>
        <translation>%1 es %2 del %3 al %4</translation>
    </message>
    <message>
        <source>%1 has no tenure from %2.</source>
        <translation>%1 no tiene ningún periodo que empiece el %2.</translation>
    </message>
    <message>
        <source>line %1: a quoted field is not closed.</source>
        <translation>línea %1: un campo entre comillas no está cerrado.</translation>
    </message>
    <message>
        <source>line %1: text follows a closing quote.</source>
        <translation>línea %1: hay texto después de las comillas de cierre.</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>línea %1: %2</translation>
    </message>
    <message>
        <source>the first line must be the header %1.</source>
        <translation>la primera línea debe ser el encabezado %1.</translation>
    </message>
    <message>
        <source>the text is not UTF-8.</source>
        <translation>el texto no es UTF-8.</translation>
    </message>
    <message>
        <source>a row has four columns: User, Person, From, Until.</source>
        <translation>una fila tiene cuatro columnas: Usuario, Persona, Desde, Hasta.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither a user number nor the name of a user.</source>
        <translation>&apos;%1&apos; no es ni un número de usuario ni el nombre de un usuario.</translation>
    </message>
    <message>
        <source>the From day is missing.</source>
        <translation>falta el día Desde.</translation>
    </message>
    <message>
        <source>%1 (line %2).</source>
        <translation>%1 (línea %2).</translation>
    </message>
</context>
<context>
    <name>PeopleDialog</name>
    <message>
        <source>People of lock %1</source>
        <translation>Personas de la cerradura %1</translation>
    </message>
    <message>
        <source>First and last name</source>
        <translation>Nombre y apellidos</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Hasta</translation>
    </message>
    <message>
        <source>Leave unchecked while the person still holds the number</source>
        <translation>Dejar sin marcar mientras la persona conserve el número</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Names the person for the user from the first day on; a tenure of the user still open ends the day before</source>
        <translation>Asigna la persona al usuario desde el primer día; un periodo del usuario aún abierto termina el día anterior</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Removes the selected tenure</source>
        <translation>Quita el periodo seleccionado</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Persona</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>Not changed: %1</source>
        <translation>No se ha cambiado nada: %1</translation>
    </message>
    <message>
        <source>Nobody named</source>
        <translation>Nadie asignado</translation>
    </message>
    <message>
        <source>The latest visit shows this user installed, and nobody is named for it</source>
        <translation>La última visita muestra este usuario instalado, y no hay nadie asignado a él</translation>
    </message>
    <message>
        <source>Installed on</source>
        <translation>Instalado el</translation>
    </message>
    <message>
        <source>The days the lock&apos;s users logs give for this user&apos;s installation; choosing one sets From</source>
        <translation>Los días de instalación de este usuario según los registros de usuarios de la cerradura; elegir uno fija Desde</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Waiting for Dallas key...</source>
        <translation>Esperando la llave Dallas...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The operation failed</source>
        <translation>La operación ha fallado</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>QCoreApplication::Cli</name>
    <message>
        <source>%1 is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.</source>
        <translation>%1 no es ni un archivo de auditoría (.kaud) ni una imagen de auditoría Dallas de 8192 bytes.</translation>
    </message>
</context>
<context>
    <name>SelectLockDialog</name>
    <message>
        <source>Number of events to download:</source>
        <translation>Número de eventos a descargar:</translation>
    </message>
    <message>
        <source>(0 = all)</source>
        <translation>(0 = todos)</translation>
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
    <message>
        <source>Archive</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Keep every audit in the archive</source>
        <translation>Guardar cada auditoría en el archivo</translation>
    </message>
    <message>
        <source>Add every download and every key read to the lock archive</source>
        <translation>Añade cada descarga y cada lectura de llave al archivo de cerraduras</translation>
    </message>
    <message>
        <source>Findings, for every user of the archive</source>
        <translation>Hallazgos, para todos los usuarios del archivo</translation>
    </message>
    <message>
        <source>Reading the archive...</source>
        <translation>Leyendo el archivo...</translation>
    </message>
    <message>
        <source>Closed days</source>
        <translation>Días de cierre</translation>
    </message>
    <message>
        <source>Closed day to add</source>
        <translation>Día de cierre que añadir</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source> wrong codes</source>
        <translation> códigos erróneos</translation>
    </message>
    <message>
        <source>within </source>
        <translation>en </translation>
    </message>
    <message>
        <source> minutes of each other</source>
        <translation> minutos entre sí</translation>
    </message>
    <message>
        <source> minutes</source>
        <translation> minutos</translation>
    </message>
    <message>
        <source> days</source>
        <translation> días</translation>
    </message>
    <message>
        <source>Wrong code burst:</source>
        <translation>Serie de códigos erróneos:</translation>
    </message>
    <message>
        <source>Opening after a clock setting, within:</source>
        <translation>Apertura tras un ajuste del reloj, en:</translation>
    </message>
    <message>
        <source>Door held open, longer than:</source>
        <translation>Puerta mantenida abierta, más de:</translation>
    </message>
    <message>
        <source>Not visited, for more than:</source>
        <translation>No visitada, durante más de:</translation>
    </message>
    <message>
        <source>Closed days:</source>
        <translation>Días de cierre:</translation>
    </message>
</context>
<context>
    <name>TextPrinter</name>
    <message>
        <source>Print Document</source>
        <translation>Imprimir documento</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>Exportar PDF</translation>
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
    <name>UsersLogDialog</name>
    <message>
        <source>Users log</source>
        <translation>Registro de usuarios</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Manager</source>
        <translation>Gerente</translation>
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
        <source>Master</source>
        <translation>Maestro</translation>
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
        <source>User %1</source>
        <translation>Usuario %1</translation>
    </message>
    <message>
        <source>No log</source>
        <translation>Sin registro</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>Insatlled by</source>
        <translation>Instalado por</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
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
    <message>
        <source>Unsupported output: %1</source>
        <translation>Salida no admitida: %1</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Interrumpido.</translation>
    </message>
    <message>
        <source>Without --port the first USB interface is used; --port simulated uses a simulated lock in memory.
</source>
        <translation>Sin --port se usa la primera interfaz USB; --port simulated usa una cerradura simulada en memoria.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli ports
Lists the USB interfaces found, and those named in CORVANE_AUDIT_PORTS.
</source>
        <translation>Uso: corvane-audit-cli ports
Enumera las interfaces USB encontradas y las indicadas en CORVANE_AUDIT_PORTS.
</translation>
    </message>
    <message>
        <source>write-key deletes what the key holds: confirm on a terminal, or pass --yes.</source>
        <translation>write-key borra lo que contiene la llave: confirme en un terminal o pase --yes.</translation>
    </message>
    <message>
        <source>Unsupported output: %1 (use a .csv, .xlsx or .pdf file, or -).</source>
        <translation>Salida no admitida: %1 (use un archivo .csv, .xlsx o .pdf, o -).</translation>
    </message>
    <message>
        <source>Only CSV goes to standard output.</source>
        <translation>Solo el formato CSV puede ir a la salida estándar.</translation>
    </message>
    <message>
        <source>start occurrence</source>
        <translation>ocurrencia inicial</translation>
    </message>
    <message>
        <source>start weekday</source>
        <translation>día inicial</translation>
    </message>
    <message>
        <source>start month</source>
        <translation>mes inicial</translation>
    </message>
    <message>
        <source>end occurrence</source>
        <translation>ocurrencia final</translation>
    </message>
    <message>
        <source>end weekday</source>
        <translation>día final</translation>
    </message>
    <message>
        <source>end month</source>
        <translation>mes final</translation>
    </message>
    <message>
        <source>--dst takes eight comma-separated fields, N,W,M,N,W,M,add|subtract,H: %1</source>
        <translation>--dst requiere ocho campos separados por comas, N,W,M,N,W,M,add|subtract,H: %1</translation>
    </message>
    <message>
        <source>Bad %1 in --dst: %2 (use %3..%4).</source>
        <translation>Valor no válido para %1 en --dst: %2 (use %3..%4).</translation>
    </message>
    <message>
        <source>Bad direction in --dst: %1 (use add or subtract).</source>
        <translation>Dirección no válida en --dst: %1 (use add o subtract).</translation>
    </message>
    <message>
        <source>Bad hours in --dst: %1 (use 0, 0.5, 1, 1.5 or 2).</source>
        <translation>Horas no válidas en --dst: %1 (use 0, 0.5, 1, 1.5 o 2).</translation>
    </message>
    <message>
        <source>The PDF report needs a graphical application object.</source>
        <translation>El informe PDF necesita un objeto de aplicación gráfica.</translation>
    </message>
    <message>
        <source>Unable to write to standard output: %1</source>
        <translation>No se puede escribir en la salida estándar: %1</translation>
    </message>
    <message>
        <source>%1 is the input itself: choose another output.</source>
        <translation>%1 es la propia entrada: elija otra salida.</translation>
    </message>
    <message>
        <source>%1 is not valid text in this system&apos;s encoding (%2): it cannot be used.</source>
        <translation>%1 no es un texto válido en la codificación de este sistema (%2): no se puede usar.</translation>
    </message>
    <message>
        <source>  --dst N,W,M,N,W,M,add|subtract,H   a daylight-saving correction first, e.g.
                      5,0,3,5,0,10,add,1 (see corvane-audit-cli --help)
  --date-format dmy|mdy, --hour-format 24|12, --audit full|simple,
  --language en|it|es   how dates and events are written (default dmy, 24,
                      simple, en)
</source>
        <translation>  --dst N,W,M,N,W,M,add|subtract,H   primero una corrección de horario de verano, p. ej.
                      5,0,3,5,0,10,add,1 (véase corvane-audit-cli --help)
  --date-format dmy|mdy, --hour-format 24|12, --audit full|simple,
  --language en|it|es   cómo se escriben fechas y eventos (por omisión dmy, 24,
                      simple, en)
</translation>
    </message>
    <message>
        <source>OUTPUT is replaced only by a complete file; it may not be INPUT itself, a folder
or a read-only file.
</source>
        <translation>OUTPUT solo se sustituye por un archivo completo; no puede ser el propio INPUT, una carpeta
ni un archivo de solo lectura.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli show INPUT [options]
Prints the whole audit in INPUT: identity, configuration, users and events.
</source>
        <translation>Uso: corvane-audit-cli show INPUT [opciones]
Muestra toda la auditoría de INPUT: identidad, configuración, usuarios y eventos.
</translation>
    </message>
    <message>
        <source>Try &apos;corvane-audit-cli %1 --help&apos;.</source>
        <translation>Consulte &apos;corvane-audit-cli %1 --help&apos;.</translation>
    </message>
    <message>
        <source>Try &apos;corvane-audit-cli --help&apos;.</source>
        <translation>Consulte &apos;corvane-audit-cli --help&apos;.</translation>
    </message>
    <message>
        <source>a number of seconds up to %1</source>
        <translation>un número de segundos hasta %1</translation>
    </message>
    <message>
        <source>--capture records what is said on a serial port; --port simulated has none.</source>
        <translation>--capture registra lo que pasa por un puerto serie; --port simulated no tiene ninguno.</translation>
    </message>
    <message>
        <source>--capture FILE writes what is said to the lock and what it answers into FILE, to send to
Corvane when a lock misbehaves.
</source>
        <translation>--capture ARCHIVO escribe en ARCHIVO lo que se dice a la cerradura y lo que responde, para
enviarlo a Corvane cuando una cerradura falla.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli write-key [--port PATH] [--wait SECONDS] [--yes] [--capture FILE]
Prepares the Dallas key on the reader with an audit request, deleting what it holds.
Asks for confirmation on a terminal unless --yes. --wait bounds the wait for a key
(default 60).
</source>
        <translation>Uso: corvane-audit-cli write-key [--port RUTA] [--wait SEGUNDOS] [--yes] [--capture ARCHIVO]
Prepara la llave Dallas del lector con una solicitud de auditoría y borra lo que contiene.
Pide confirmación en un terminal salvo con --yes. --wait limita la espera de una llave
(60 por omisión).
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli users-log [--port PATH] [--date-format dmy|mdy] [--hour-format 24|12]
                          [--language en|it|es] [--capture FILE] OUTPUT.csv|-
Downloads the lock&apos;s users log and writes its 64 rows as comma-separated values.
</source>
        <translation>Uso: corvane-audit-cli users-log [--port RUTA] [--date-format dmy|mdy] [--hour-format 24|12]
                          [--language en|it|es] [--capture ARCHIVO] SALIDA.csv|-
Descarga el registro de usuarios de la cerradura y escribe sus 64 filas como valores separados por comas.
</translation>
    </message>
    <message>
        <source>  --archive PATH   the archive: a SQLite file or a postgresql:// URL (default: the
                   environment&apos;s CORVANE_AUDIT_ARCHIVE, then ArchiveUrl in
                   Settings.ini, then archive.sqlite in the user&apos;s data folder)
</source>
        <translation>  --archive RUTA   el archivo: un fichero SQLite o una URL postgresql:// (por defecto:
                   CORVANE_AUDIT_ARCHIVE del entorno, luego ArchiveUrl en
                   Settings.ini, luego archive.sqlite en la carpeta de datos del usuario)
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive locks [--archive PATH] [--date-format dmy|mdy]
                          [--hour-format 24|12] [--language en|it|es] OUTPUT.csv|-
Lists the archived locks by serial number: visits, events, gaps, the first and
last event and the last visit.
</source>
        <translation>Uso: corvane-audit-cli archive locks [--archive RUTA] [--date-format dmy|mdy]
                          [--hour-format 24|12] [--language en|it|es] SALIDA.csv|-
Enumera las cerraduras archivadas por número de serie: visitas, eventos, huecos, el primer y
el último evento y la última visita.
</translation>
    </message>
    <message>
        <source>No archive command given.</source>
        <translation>No se indicó ningún comando de archivo.</translation>
    </message>
    <message>
        <source>Unknown archive command: %1</source>
        <translation>Comando de archivo desconocido: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: already in the archive</source>
        <translation>%1: ya está en el archivo</translation>
    </message>
    <message>
        <source>Not kept in the archive: %1</source>
        <translation>No guardado en el archivo: %1</translation>
    </message>
    <message>
        <source>%1 is the archive itself: choose another output.</source>
        <translation>%1 es el propio archivo: elija otra salida.</translation>
    </message>
    <message>
        <source>--archive and --no-archive exclude each other.</source>
        <translation>--archive y --no-archive se excluyen mutuamente.</translation>
    </message>
    <message>
        <source>The audit is also added to the archive (--archive PATH names it, see &apos;archive --help&apos;;
--no-archive leaves it out); the output is written all the same.
</source>
        <translation>La auditoría también se añade al archivo (--archive RUTA lo indica, vea &apos;archive --help&apos;;
--no-archive la deja fuera); la salida se escribe igualmente.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli read-key [--port PATH] [--wait SECONDS] [--capture FILE]
                          [--archive PATH|--no-archive] OUTPUT
Reads the Dallas audit key on the reader into OUTPUT: an audit file (.kaud) or the
raw 8192-byte image (.bin). --wait bounds the wait for a key (default 60).
</source>
        <translation>Uso: corvane-audit-cli read-key [--port RUTA] [--wait SEGUNDOS] [--capture FICHERO]
                          [--archive RUTA|--no-archive] SALIDA
Lee la llave de auditoría Dallas del lector en SALIDA: un fichero de auditoría (.kaud) o
la imagen en bruto de 8192 bytes (.bin). --wait limita la espera de una llave (por defecto 60).
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive search [--archive PATH] [--lock SERIAL]... [--from DATE]
                          [--to DATE] [--event CODE]... [--user N] [--date-format dmy|mdy]
                          [--hour-format 24|12] [--language en|it|es] OUTPUT.csv|-
Writes the matching events of every archived lock, newest first: Serial number,
Lock name, the export&apos;s event columns and Visit. DATE is YYYY-MM-DD (--to
includes its day); CODE is an Event ID; --lock and --event may be repeated.
</source>
        <translation>Uso: corvane-audit-cli archive search [--archive RUTA] [--lock SERIE]... [--from FECHA]
                          [--to FECHA] [--event CÓDIGO]... [--user N] [--date-format dmy|mdy]
                          [--hour-format 24|12] [--language en|it|es] SALIDA.csv|-
Escribe los eventos que coinciden de cada cerradura archivada, del más reciente: Número de serie,
Nombre de la cerradura, las columnas de eventos de export y Visita. FECHA es AAAA-MM-DD (--to
incluye su día); CÓDIGO es un ID de evento; --lock y --event se pueden repetir.
</translation>
    </message>
    <message>
        <source>--new stops at what the archive holds: not with --no-archive.</source>
        <translation>--new se detiene en lo que guarda el archivo: no con --no-archive.</translation>
    </message>
    <message>
        <source>The archive does not tell where to stop: %1</source>
        <translation>El archivo no indica dónde detenerse: %1</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive import [--archive PATH] FILE...
Adds audit files (.kaud) and raw Dallas audit images to the archive, each joined
into its lock&apos;s history. One line a file: SERIAL: N new events, G gaps; or that it
is already there; or that it waits on this computer, when the archive cannot be
reached (archive sync sends it); or why it was refused. Exit status 1 if any was
refused, else 3 if any waits or could not be kept.
</source>
        <translation>Uso: corvane-audit-cli archive import [--archive RUTA] ARCHIVO...
Añade archivos de auditoría (.kaud) e imágenes en bruto de llaves Dallas al archivo, cada uno
unido al historial de su cerradura. Una línea por archivo: SERIE: N eventos nuevos,
L lagunas; o que ya está; o que espera en este ordenador, cuando no se puede acceder
al archivo (archive sync lo envía); o por qué se rechazó. Estado de salida 1 si alguno
se rechazó, si no 3 si alguno espera o no se pudo guardar.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive sync [--archive URL]
Sends every audit waiting on this computer (because an archive could not be
reached or stayed busy) to the archive in use now, saying where each was meant to
go when that was elsewhere. Exit status 3 if some still wait.
</source>
        <translation>Uso: corvane-audit-cli archive sync [--archive URL]
Envía cada auditoría que espera en este ordenador (porque no se pudo acceder a un
archivo o estaba ocupado) al archivo en uso ahora, indicando a cuál estaba destinada
cuando era otro. Estado de salida 3 si alguna sigue esperando.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive queue [OUTPUT.csv|-]
Lists the audits waiting on this computer: File, Lock, Downloaded, Meant for.
</source>
        <translation>Uso: corvane-audit-cli archive queue [SALIDA.csv|-]
Lista las auditorías que esperan en este ordenador: Archivo, Cerradura, Descargada, Destinada a.
</translation>
    </message>
    <message>
        <source>--from is after --to: nothing lies between them.</source>
        <translation>--from es posterior a --to: entre ambos no hay nada.</translation>
    </message>
    <message>
        <source>%1 is not valid text in this system&apos;s encoding: it cannot be used.</source>
        <translation>%1 no es texto válido en la codificación de este sistema: no se puede usar.</translation>
    </message>
    <message numerus="yes">
        <source>%n audits sent</source>
        <translation>
            <numerusform>%n auditoría enviada</numerusform>
            <numerusform>%n auditorías enviadas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n still waiting.</source>
        <translation>
            <numerusform>; %n sigue esperando.</numerusform>
            <numerusform>; %n siguen esperando.</numerusform>
        </translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Cerradura</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Descargada</translation>
    </message>
    <message>
        <source>Meant for</source>
        <translation>Destinada a</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n new events</source>
        <translation>
            <numerusform>%1: %n evento nuevo</numerusform>
            <numerusform>%1: %n eventos nuevos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n laguna</numerusform>
            <numerusform>, %n lagunas</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: not kept: %2</source>
        <translation>%1: no guardada: %2</translation>
    </message>
    <message>
        <source>Saved, and waiting on this computer for the archive: %1
&apos;corvane-audit-cli archive sync&apos; sends it.</source>
        <translation>Guardada, y esperando en este ordenador al archivo: %1
&apos;corvane-audit-cli archive sync&apos; la envía.</translation>
    </message>
    <message>
        <source>Saved, not kept in the archive: %1</source>
        <translation>Guardada, no conservada en el archivo: %1</translation>
    </message>
    <message>
        <source>%1: waits on this computer (%2); &apos;corvane-audit-cli archive sync&apos; sends it</source>
        <translation>%1: espera en este ordenador (%2); &apos;corvane-audit-cli archive sync&apos; la envía</translation>
    </message>
    <message>
        <source>%1 and %2 exclude each other.</source>
        <translation>%1 y %2 se excluyen mutuamente.</translation>
    </message>
    <message>
        <source>--from goes only with --set and --remove.</source>
        <translation>--from solo va con --set y --remove.</translation>
    </message>
    <message>
        <source>--until goes only with --set.</source>
        <translation>--until solo va con --set.</translation>
    </message>
    <message>
        <source>%1 needs --from DAY.</source>
        <translation>%1 necesita --from DÍA.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a user number.</source>
        <translation>&apos;%1&apos; no es un número de usuario.</translation>
    </message>
    <message>
        <source>%1 has no tenures.</source>
        <translation>%1 no tiene periodos.</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive people SERIAL [--archive PATH] [--language en|it|es] OUTPUT.csv|-
       corvane-audit-cli archive people SERIAL [--archive PATH] --set USER PERSON --from DAY
                                [--until DAY]
       corvane-audit-cli archive people SERIAL [--archive PATH] --remove USER --from DAY
       corvane-audit-cli archive people SERIAL [--archive PATH] --import FILE.csv
The people who held the lock&apos;s user numbers, and when. The listing has the columns
User, Person, From and Until, by user number; a user the latest visit shows
installed whom nobody is named for has a row with Person, From and Until empty.
  --set USER PERSON   names PERSON for user number USER from DAY on, until DAY
                   (included) or for as long as it lasts; a tenure of USER still
                   open ends the day before: the number changed hands
  --remove USER      removes the tenure of USER that begins on DAY
  --import FILE.csv  replaces the lock&apos;s tenures with a listing filled in (User as
                   the number or the listed name, in any language; rows without
                   a Person are skipped); any bad row refuses the whole file
DAY is YYYY-MM-DD. A name has at most 80 characters.
</source>
        <translation>Uso: corvane-audit-cli archive people SERIE [--archive RUTA] [--language en|it|es] SALIDA.csv|-
     corvane-audit-cli archive people SERIE [--archive RUTA] --set USUARIO PERSONA --from DÍA
                              [--until DÍA]
     corvane-audit-cli archive people SERIE [--archive RUTA] --remove USUARIO --from DÍA
     corvane-audit-cli archive people SERIE [--archive RUTA] --import FICHERO.csv
Las personas que ocuparon los números de usuario de la cerradura, y cuándo. La lista tiene
las columnas Usuario, Persona, Desde y Hasta, por número de usuario; un usuario que la
última visita muestra instalado y al que nadie está asignado tiene una fila con Persona,
Desde y Hasta vacíos.
  --set USUARIO PERSONA   asigna PERSONA al número de usuario USUARIO desde DÍA, hasta
                   DÍA (incluido) o mientras dure; un periodo de USUARIO aún abierto
                   termina el día anterior: el número cambió de manos
  --remove USUARIO   quita el periodo de USUARIO que empieza el DÍA
  --import FICHERO.csv  sustituye los periodos de la cerradura por una lista rellenada
                   (Usuario como número o como nombre listado, en cualquier idioma; las
                   filas sin Persona se omiten); una fila errónea rechaza todo el fichero
DÍA es AAAA-MM-DD. Un nombre tiene como máximo 80 caracteres.
</translation>
    </message>
    <message>
        <source>%1 is larger than any listing of people (1 MiB): it is not read.</source>
        <translation>%1 es más grande que cualquier lista de personas (1 MiB): no se lee.</translation>
    </message>
    <message numerus="yes">
        <source>%n tenures kept for lock %1.</source>
        <translation>
            <numerusform>%n periodo guardado para la cerradura %1.</numerusform>
            <numerusform>%n periodos guardados para la cerradura %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli download [--port PATH] [--events N] [--new] [--wait SECONDS]
                          [--capture FILE] [--archive PATH|--no-archive] OUTPUT.kaud
Downloads the lock&apos;s audit through the keypad (in download mode, function 7) into an
audit file. --events N reads the N newest events (default 0: all, up to 5600);
--wait bounds the wait for the keypad (default 60). --new stops as soon as it reaches
the events the archive holds from the last visit. A download that stops short once
events have come (a failure, Ctrl-C) saves and keeps those, marked as partial, and
exits with 4.
</source>
        <translation>Uso: corvane-audit-cli download [--port RUTA] [--events N] [--new] [--wait SEGUNDOS]
                          [--capture FICHERO] [--archive RUTA|--no-archive] SALIDA.kaud
Descarga la auditoría de la cerradura a través del teclado (en modo de descarga, función 7) en un
fichero de auditoría. --events N lee los N eventos más recientes (por defecto 0: todos, hasta 5600);
--wait limita la espera del teclado (por defecto 60). --new se detiene en cuanto llega
a los eventos que el archivo guarda de la última visita. Una descarga que se detiene antes,
con eventos ya recibidos (un error, Ctrl-C), los guarda y conserva, marcados como parciales, y
termina con 4.
</translation>
    </message>
    <message>
        <source>64 hex digits</source>
        <translation>64 dígitos hexadecimales</translation>
    </message>
    <message>
        <source>The chain reaches %1 at the import of %2.</source>
        <translation>La cadena alcanza %1 en la importación del %2.</translation>
    </message>
    <message>
        <source>Archive sound: %1, %2, chain head %3</source>
        <translation>Archivo íntegro: %1, %2, cabeza de la cadena %3</translation>
    </message>
    <message numerus="yes">
        <source>%n audits</source>
        <translation>
            <numerusform>%n auditoría</numerusform>
            <numerusform>%n auditorías</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n locks</source>
        <translation>
            <numerusform>%n cerradura</numerusform>
            <numerusform>%n cerraduras</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2 no longer matches the SHA-256 recorded at its import.</source>
        <translation>%1: %2 ya no coincide con el SHA-256 registrado en su importación.</translation>
    </message>
    <message numerus="yes">
        <source>%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.</source>
        <translation>
            <numerusform>%n auditoría de la cerradura %1 escrita en %2, con su suma SHA-256 en SHA256SUMS.</numerusform>
            <numerusform>%n auditorías de la cerradura %1 escritas en %2, con sus sumas SHA-256 en SHA256SUMS.</numerusform>
        </translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive verify [--archive PATH] [--head HEX]
Checks everything the archive keeps, reading only: every audit&apos;s bytes against
their SHA-256 and that they still decode; the chain of imports link by link; and
every lock&apos;s history and searchable events against what joining its audits again
gives. One line per fault and exit status 1; else the last line is
&apos;Archive sound: N audits, L locks, chain head HEX&apos;.
  --head HEX       a chain head a report quotes: the chain must still reach it
</source>
        <translation>Uso: corvane-audit-cli archive verify [--archive RUTA] [--head HEX]
Comprueba todo lo que guarda el archivo, solo leyendo: los bytes de cada auditoría
frente a su SHA-256 y que aún se decodifiquen; la cadena de importaciones eslabón
a eslabón; y el historial y los eventos buscables de cada cerradura frente a lo que
da volver a unir sus auditorías. Una línea por fallo y estado de salida 1; si no,
la última línea es &apos;Archivo íntegro: N auditorías, L cerraduras, cabeza de la
cadena HEX&apos;.
  --head HEX       una cabeza de la cadena que cita un informe: la cadena aún
                   debe alcanzarla
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive audits SERIAL [--archive PATH] DIR
Writes every kept audit of the lock exactly as it was imported, one file per
audit named VISIT-YYYYMMDD-HHMMSS.kaud (its visit and download date-time), and
SHA256SUMS, which &apos;sha256sum -c SHA256SUMS&apos; checks in DIR. DIR is made if missing.
</source>
        <translation>Uso: corvane-audit-cli archive audits SERIE [--archive RUTA] DIR
Escribe cada auditoría guardada de la cerradura tal como se importó, un fichero por
auditoría llamado VISITA-AAAAMMDD-HHMMSS.kaud (su visita y la fecha y hora de la
descarga), y SHA256SUMS, que &apos;sha256sum -c SHA256SUMS&apos; comprueba en DIR. DIR se
crea si falta.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive import|locks|history|verify|audits|search|sync|queue|people|
                         findings|hours|closed|findings-settings [--archive PATH] ...
The archive keeps every audit by lock and joins them into each lock&apos;s history.
corvane-audit-cli archive COMMAND --help tells more of a command.
</source>
        <translation>Uso: corvane-audit-cli archive import|locks|history|verify|audits|search|sync|queue|people|
                       findings|hours|closed|findings-settings [--archive RUTA] ...
El archivo guarda cada auditoría por cerradura y las une en el historial de cada una.
corvane-audit-cli archive COMANDO --help explica más de un comando.
</translation>
    </message>
    <message>
        <source>Usage:
  corvane-audit-cli export INPUT OUTPUT [--format csv|xlsx|pdf]
                    [--table events|users|configuration|findings]
                    [--dst N,W,M,N,W,M,add|subtract,H]
                    [--date-format dmy|mdy] [--hour-format 24|12]
                    [--audit full|simple] [--language en|it|es]
  corvane-audit-cli show INPUT [--dst ...] [display options as above]
  corvane-audit-cli ports
  corvane-audit-cli read-key [--port PATH] [--wait SECONDS] [--capture FILE]
                    [--archive PATH|--no-archive] OUTPUT.kaud|OUTPUT.bin
  corvane-audit-cli write-key [--port PATH] [--wait SECONDS] [--yes] [--capture FILE]
  corvane-audit-cli download [--port PATH] [--events N] [--new] [--wait SECONDS]
                    [--capture FILE] [--archive PATH|--no-archive] OUTPUT.kaud
  corvane-audit-cli users-log [--port PATH] [--date-format dmy|mdy] [--hour-format 24|12]
                    [--language en|it|es] [--capture FILE] OUTPUT.csv|-
  corvane-audit-cli archive import [--archive PATH] FILE...
  corvane-audit-cli archive locks [--archive PATH] [display options] OUTPUT.csv|-
  corvane-audit-cli archive history SERIAL [--archive PATH] [--new] [export options] OUTPUT
  corvane-audit-cli archive verify [--archive PATH] [--head HEX]
  corvane-audit-cli archive audits SERIAL [--archive PATH] DIR
  corvane-audit-cli archive search [--archive PATH] [--lock SERIAL]... [--from DATE]
                    [--to DATE] [--event CODE]... [--user N] OUTPUT.csv|-
  corvane-audit-cli archive sync [--archive URL]
  corvane-audit-cli archive people SERIAL [--archive PATH] [--language en|it|es] OUTPUT.csv|-
  corvane-audit-cli archive people SERIAL [--archive PATH] --set USER PERSON --from DAY
                    [--until DAY]
  corvane-audit-cli archive people SERIAL [--archive PATH] --remove USER --from DAY
  corvane-audit-cli archive people SERIAL [--archive PATH] --import FILE.csv
  corvane-audit-cli archive findings [--archive PATH] [--lock SERIAL]... [--kind KEY]...
                    [--from DATE] [--to DATE] [--at DATE] [display options] OUTPUT.csv|-
  corvane-audit-cli archive hours [--archive PATH] [SERIAL|--default] [TEXT]
  corvane-audit-cli archive closed [--archive PATH] add|remove DATE...|-
  corvane-audit-cli archive findings-settings [--archive PATH] [--wrong-codes N/MINUTES]
                    [--clock-minutes M] [--door-minutes M] [--visit-days D]
  corvane-audit-cli --version

INPUT is an audit file (.kaud) or a raw Dallas audit image of 8192 bytes.
OUTPUT is a .csv, .xlsx or .pdf file (--format overrides the extension),
or - for CSV on standard output. --table picks the CSV&apos;s table; the workbook
and the PDF report hold the first three. The findings of one audit are judged
with the default hours and thresholds; those of the archive&apos;s locks by its own.
--dst applies a daylight-saving correction from the N-th weekday W of month M
to the N-th weekday W of month M (N 1..5, 5 = last; W 0 = Sunday .. 6 = Saturday;
M 1..12), adding or subtracting H hours (0, 0.5, 1, 1.5 or 2).
Example: --dst 5,0,3,5,0,10,add,1
Exit status: 0 done, 1 refused input or failed output, 2 usage error, 130 stopped.
COMMAND --help tells more of a command.
</source>
        <translation>Uso:
  corvane-audit-cli export INPUT OUTPUT [--format csv|xlsx|pdf]
                    [--table events|users|configuration|findings]
                    [--dst N,W,M,N,W,M,add|subtract,H]
                    [--date-format dmy|mdy] [--hour-format 24|12]
                    [--audit full|simple] [--language en|it|es]
  corvane-audit-cli show INPUT [--dst ...] [opciones de visualización como arriba]
  corvane-audit-cli ports
  corvane-audit-cli read-key [--port PATH] [--wait SECONDS] [--capture FILE]
                    [--archive PATH|--no-archive] OUTPUT.kaud|OUTPUT.bin
  corvane-audit-cli write-key [--port PATH] [--wait SECONDS] [--yes] [--capture FILE]
  corvane-audit-cli download [--port PATH] [--events N] [--new] [--wait SECONDS]
                    [--capture FILE] [--archive PATH|--no-archive] OUTPUT.kaud
  corvane-audit-cli users-log [--port PATH] [--date-format dmy|mdy] [--hour-format 24|12]
                    [--language en|it|es] [--capture FILE] OUTPUT.csv|-
  corvane-audit-cli archive import [--archive PATH] FILE...
  corvane-audit-cli archive locks [--archive PATH] [opciones de visualización] OUTPUT.csv|-
  corvane-audit-cli archive history SERIAL [--archive PATH] [--new] [opciones de export] OUTPUT
  corvane-audit-cli archive verify [--archive PATH] [--head HEX]
  corvane-audit-cli archive audits SERIAL [--archive PATH] DIR
  corvane-audit-cli archive search [--archive PATH] [--lock SERIAL]... [--from DATE]
                    [--to DATE] [--event CODE]... [--user N] OUTPUT.csv|-
  corvane-audit-cli archive sync [--archive URL]
  corvane-audit-cli archive people SERIAL [--archive PATH] [--language en|it|es] OUTPUT.csv|-
  corvane-audit-cli archive people SERIAL [--archive PATH] --set USER PERSON --from DAY
                    [--until DAY]
  corvane-audit-cli archive people SERIAL [--archive PATH] --remove USER --from DAY
  corvane-audit-cli archive people SERIAL [--archive PATH] --import FILE.csv
  corvane-audit-cli archive findings [--archive PATH] [--lock SERIAL]... [--kind KEY]...
                    [--from DATE] [--to DATE] [--at DATE] [opciones de visualización] OUTPUT.csv|-
  corvane-audit-cli archive hours [--archive PATH] [SERIAL|--default] [TEXT]
  corvane-audit-cli archive closed [--archive PATH] add|remove DATE...|-
  corvane-audit-cli archive findings-settings [--archive PATH] [--wrong-codes N/MINUTES]
                    [--clock-minutes M] [--door-minutes M] [--visit-days D]
  corvane-audit-cli --version

INPUT es un archivo de auditoría (.kaud) o una imagen de auditoría Dallas
sin procesar de 8192 bytes.
OUTPUT es un archivo .csv, .xlsx o .pdf (--format prevalece sobre la extensión),
o - para CSV en la salida estándar. --table elige la tabla del CSV;
el libro de Excel y el informe PDF contienen las tres primeras. Los hallazgos de
una sola auditoría se juzgan con el horario y los umbrales por omisión; los de las
cerraduras del archivo, con los del archivo.
--dst aplica una corrección de horario de verano desde el N-ésimo día W del mes M
hasta el N-ésimo día W del mes M (N 1..5, 5 = último; W 0 = domingo .. 6 = sábado;
M 1..12), sumando o restando H horas (0, 0.5, 1, 1.5 o 2).
Ejemplo: --dst 5,0,3,5,0,10,add,1
Estado de salida: 0 hecho, 1 entrada rechazada o salida no escrita, 2 error de uso, 130 interrumpido.
COMANDO --help explica más de un comando.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli export INPUT OUTPUT [options]
Writes the audit in INPUT (an audit file or a raw Dallas audit image) to OUTPUT:
comma-separated values (.csv, or - for standard output), an Excel workbook (.xlsx)
or a PDF report (.pdf).
  --format csv|xlsx|pdf   the format, whatever OUTPUT&apos;s extension
  --table events|users|configuration|findings   the table of a CSV (default
                   events); the findings are judged with the default opening hours
                   (Mon-Fri 07:00-20:00) and thresholds
</source>
        <translation>Uso: corvane-audit-cli export INPUT OUTPUT [opciones]
Escribe la auditoría de INPUT (un archivo de auditoría o una imagen de auditoría Dallas en bruto)
en OUTPUT: valores separados por comas (.csv, o - para la salida estándar), un libro de Excel
(.xlsx) o un informe PDF (.pdf).
  --format csv|xlsx|pdf   el formato, sea cual sea la extensión de OUTPUT
  --table events|users|configuration|findings   la tabla de un CSV (por omisión
                   events); los hallazgos se juzgan con el horario de apertura por
                   omisión (Mon-Fri 07:00-20:00) y los umbrales por omisión
</translation>
    </message>
    <message>
        <source>A lock&apos;s history has its findings written by &apos;corvane-audit-cli archive findings --lock SERIAL&apos;.</source>
        <translation>Los hallazgos del historial de una cerradura se escriben con &apos;corvane-audit-cli archive findings --lock SERIAL&apos;.</translation>
    </message>
    <message>
        <source>%1 is not a date: a date is written YYYY-MM-DD.</source>
        <translation>%1 no es una fecha: una fecha se escribe AAAA-MM-DD (YYYY-MM-DD).</translation>
    </message>
    <message>
        <source>The default hours cannot go back to themselves: give them as in &quot;Mon-Fri 07:00-20:00&quot;.</source>
        <translation>El horario por omisión no puede volver a sí mismo: indíquelo como en &quot;Mon-Fri 07:00-20:00&quot;.</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive findings [--archive PATH] [--lock SERIAL]... [--kind KEY]...
                          [--from DATE] [--to DATE] [--at DATE] [--dst RULE]
                          [--date-format dmy|mdy] [--hour-format 24|12] [--language en|it|es]
                          OUTPUT.csv|-
Writes what deserves a look in the archived locks&apos; histories, judged by the archive&apos;s
opening hours, closed days and thresholds: Serial number, Lock name, Finding, Date,
Until, User, Person, Events, Visit; the locks by serial number, each lock&apos;s findings
newest first. Nothing found is a header alone.
  --lock SERIAL    only this lock (its serial number or exact name); may be repeated
  --kind KEY       only these findings; may be repeated. KEY is one of
                   %1
  --from, --to DATE   only the findings whose Date falls on these days or between
                   them (YYYY-MM-DD)
  --at DATE        the day Not visited is judged at, whatever --from and --to say
                   (default today)
  --dst, --date-format, --hour-format, --language   as for export
</source>
        <translation>Uso: corvane-audit-cli archive findings [--archive RUTA] [--lock SERIAL]... [--kind KEY]...
                          [--from DATE] [--to DATE] [--at DATE] [--dst RULE]
                          [--date-format dmy|mdy] [--hour-format 24|12] [--language en|it|es]
                          OUTPUT.csv|-
Escribe lo que merece una mirada en los historiales de las cerraduras archivadas,
juzgado con el horario de apertura, los días de cierre y los umbrales del archivo:
Número de serie, Nombre de la cerradura, Hallazgo, Fecha, Hasta, Usuario, Persona,
Eventos, Visita; las cerraduras por número de serie, los hallazgos de cada una del
más reciente al más antiguo. Si no se encuentra nada, solo queda el encabezado.
  --lock SERIAL    solo esta cerradura (su número de serie o nombre exacto); repetible
  --kind KEY       solo estos hallazgos; repetible. KEY es uno de
                   %1
  --from, --to DATE   solo los hallazgos cuya Fecha cae en estos días o entre ellos
                   (YYYY-MM-DD)
  --at DATE        el día en que se juzga No visitada, digan lo que digan --from y
                   --to (por omisión hoy)
  --dst, --date-format, --hour-format, --language   como para export
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive hours [--archive PATH] [SERIAL|--default] [TEXT]
Prints or sets the opening hours that openings are judged by. Without TEXT it
prints SERIAL,HOURS lines: the default for every lock as *, then each lock that has
hours of its own; or only the lock (its serial number or exact name), or with
--default only the default. With TEXT it sets the lock&apos;s own hours, or with
--default the default; TEXT default takes a lock back to the default.
TEXT is written as in &quot;Mon-Fri 07:00-20:00; Sat 08:00-12:00&quot;: days Mon to Sun, one
or a range of them, then their ranges separated by commas, &quot;;&quot; between groups; a
day not named is closed, and closed alone is a lock never to be opened.
</source>
        <translation>Uso: corvane-audit-cli archive hours [--archive RUTA] [SERIAL|--default] [TEXT]
Muestra o fija el horario de apertura con el que se juzgan las aperturas. Sin TEXT
muestra líneas SERIAL,HORARIO: el de por omisión para todas las cerraduras como *,
luego cada cerradura con horario propio; o solo la cerradura (su número de serie o
nombre exacto), o con --default solo el de por omisión. Con TEXT fija el horario
propio de la cerradura, o con --default el de por omisión; TEXT default devuelve una
cerradura al horario por omisión.
TEXT se escribe como en &quot;Mon-Fri 07:00-20:00; Sat 08:00-12:00&quot;: los días de Mon a Sun,
uno o un intervalo, luego sus franjas separadas por comas, &quot;;&quot; entre grupos; un día
no nombrado está cerrado, y closed solo es una cerradura que no se abre nunca.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive closed [--archive PATH] add|remove DATE...
       corvane-audit-cli archive closed [--archive PATH] -
Adds or removes closed days (holidays, as YYYY-MM-DD) for all locks: an opening on
one is an opening outside hours. - prints them, one a line. When a day to remove is
not a closed day, none is removed.
</source>
        <translation>Uso: corvane-audit-cli archive closed [--archive RUTA] add|remove DATE...
     corvane-audit-cli archive closed [--archive RUTA] -
Añade o quita días de cierre (festivos, como YYYY-MM-DD) para todas las cerraduras:
una apertura en uno de ellos es una apertura fuera de horario. - los muestra, uno
por línea. Si un día que quitar no es un día de cierre, no se quita ninguno.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive findings-settings [--archive PATH] [--wrong-codes N/MINUTES]
                          [--clock-minutes M] [--door-minutes M] [--visit-days D]
Prints the thresholds of the findings as NAME,VALUE lines, once those given are set.
  --wrong-codes N/MINUTES   a burst of wrong codes is N tries or more, each within
                            MINUTES of the one before (default 5/10)
  --clock-minutes M         an opening within M minutes after a clock setting (60)
  --door-minutes M          a door held open longer than M minutes (30)
  --visit-days D            a lock nobody visited for more than D days (180)
A role that may only read the archive prints them but cannot set them.
</source>
        <translation>Uso: corvane-audit-cli archive findings-settings [--archive RUTA] [--wrong-codes N/MINUTES]
                          [--clock-minutes M] [--door-minutes M] [--visit-days D]
Muestra los umbrales de los hallazgos como líneas NOMBRE,VALOR, una vez fijados los dados.
  --wrong-codes N/MINUTES   una ráfaga de códigos erróneos son N intentos o más, cada
                            uno a MINUTES o menos del anterior (por omisión 5/10)
  --clock-minutes M         una apertura dentro de M minutos tras un ajuste del reloj (60)
  --door-minutes M          una puerta abierta más de M minutos (30)
  --visit-days D            una cerradura que nadie visitó en más de D días (180)
Un rol que solo puede leer el archivo los muestra pero no puede fijarlos.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive history SERIAL [--archive PATH] [--new] [options] OUTPUT
Writes the lock&apos;s whole history as export writes one audit (a full audit unless
--audit simple), the CSV with one more column, Visit. OUTPUT is a .csv, .xlsx or
.pdf file, or - for CSV on standard output. The .xlsx and .pdf open on the
lock&apos;s findings (as archive findings --lock lists them) and end with the evidence
of its audits: each visit&apos;s SHA-256 and the archive&apos;s chain head.
  --new            only the events of the latest visit
  --format, --table, --dst, --date-format, --hour-format, --audit, --language
                   as for export
</source>
        <translation>Uso: corvane-audit-cli archive history SERIE [--archive RUTA] [--new] [opciones] SALIDA
Escribe todo el historial de la cerradura como export escribe una auditoría (una auditoría completa
salvo --audit simple), el CSV con una columna más, Visita. SALIDA es un fichero .csv, .xlsx o
.pdf, o - para CSV en la salida estándar. El .xlsx y el .pdf se abren con los
hallazgos de la cerradura (como los lista archive findings --lock) y terminan con las pruebas
de sus auditorías: el SHA-256 de cada visita y la cabeza de la cadena del archivo.
  --new            solo los eventos de la última visita
  --format, --table, --dst, --date-format, --hour-format, --audit, --language
                   como en export
</translation>
    </message>
    <message>
        <source>OUTPUT may also be a workbook (.xlsx) or a PDF report (.pdf): the findings by lock,
each lock&apos;s under a row that counts them by kind.
</source>
        <translation>OUTPUT también puede ser un libro (.xlsx) o un informe PDF (.pdf): los hallazgos por
cerradura, los de cada una bajo una fila que los cuenta por tipo.
</translation>
    </message>
    <message>
        <source>--archive PATH also keeps the log with its lock in that archive, which must hold the lock&apos;s
audits: its installation days are then offered as the From of a new tenure.
</source>
        <translation>--archive RUTA también guarda el registro con su cerradura en ese archivo, que debe contener las
auditorías de la cerradura: sus días de instalación se ofrecen luego como inicio de un nuevo periodo.
</translation>
    </message>
</context>
</TS>
