<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Verifica aggiornamenti</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>Informazioni su Qt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>No update server is configured</source>
        <translation>Nessun server di aggiornamento configurato</translation>
    </message>
    <message>
        <source>Reads, shows and exports the audit of electronic safe locks.</source>
        <translation>Legge, mostra ed esporta l&apos;audit delle serrature elettroniche per casseforti.</translation>
    </message>
    <message>
        <source>Copyright © the Corvane Audit developers. All rights reserved. This program is provided as is, without warranty of any kind. It uses Qt under the GNU Lesser General Public License version 3 (see &quot;About Qt&quot;).</source>
        <translation>Copyright © gli sviluppatori di Corvane Audit. Tutti i diritti riservati. Questo programma è fornito così com&apos;è, senza garanzia di alcun tipo. Usa Qt secondo la GNU Lesser General Public License versione 3 (vedi &quot;Informazioni su Qt&quot;).</translation>
    </message>
    <message>
        <source>Please report problems, with the steps that lead to them and the audit file if there is one, on the Corvane Audit issue tracker.</source>
        <translation>Segnalate i problemi, con i passi che li provocano e il file di audit se c&apos;è, nel sistema di segnalazione di Corvane Audit.</translation>
    </message>
    <message>
        <source>No update available</source>
        <translation>Nessun aggiornamento disponibile</translation>
    </message>
    <message>
        <source>An update is available. Do you want to download and install it?</source>
        <translation>È disponibile un aggiornamento. Scaricarlo e installarlo?</translation>
    </message>
    <message>
        <source>Corvane Audit logo</source>
        <translation>Logo di Corvane Audit</translation>
    </message>
</context>
<context>
    <name>Archive</name>
    <message>
        <source>The archive %1 is in use by another program; try again in a moment.</source>
        <translation>L&apos;archivio %1 è in uso da un altro programma; riprovare tra un momento.</translation>
    </message>
    <message>
        <source>The archive %1 cannot be used: %2</source>
        <translation>L&apos;archivio %1 non può essere usato: %2</translation>
    </message>
    <message>
        <source>The archive %1 cannot be reached: this computer lacks the PostgreSQL driver of Qt (package libqt5sql5-psql).</source>
        <translation>L&apos;archivio %1 non è raggiungibile: su questo computer manca il driver PostgreSQL di Qt (pacchetto libqt5sql5-psql).</translation>
    </message>
    <message>
        <source>The archive %1 cannot be reached: %2</source>
        <translation>L&apos;archivio %1 non è raggiungibile: %2</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: this computer lacks the SQLite driver of Qt (package libqt5sql5-sqlite).</source>
        <translation>L&apos;archivio %1 non può essere letto: su questo computer manca il driver SQLite di Qt (pacchetto libqt5sql5-sqlite).</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: it is a folder.</source>
        <translation>L&apos;archivio %1 non può essere letto: è una cartella.</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: the folder %2 does not exist.</source>
        <translation>L&apos;archivio %1 non può essere letto: la cartella %2 non esiste.</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: %2</source>
        <translation>L&apos;archivio %1 non può essere letto: %2</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: it is not an archive of this program, or it is damaged.</source>
        <translation>L&apos;archivio %1 non può essere letto: non è un archivio di questo programma, oppure è danneggiato.</translation>
    </message>
    <message>
        <source>The archive %1 was written by a later version of Corvane Audit; update this program to use it.</source>
        <translation>L&apos;archivio %1 è stato scritto da una versione più recente di Corvane Audit; aggiornare questo programma per usarlo.</translation>
    </message>
    <message>
        <source>The audit cannot be decoded, so it is not kept in the archive.</source>
        <translation>L&apos;audit non può essere decodificato, quindi non viene conservato nell&apos;archivio.</translation>
    </message>
    <message>
        <source>The audit names no lock (it has no serial number), so it is not kept in the archive.</source>
        <translation>L&apos;audit non indica alcuna serratura (non ha numero di serie), quindi non viene conservato nell&apos;archivio.</translation>
    </message>
    <message>
        <source>The archive %1 holds no lock %2.</source>
        <translation>L&apos;archivio %1 non contiene la serratura %2.</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Numero di serie</translation>
    </message>
    <message>
        <source>Lock name</source>
        <translation>Nome serratura</translation>
    </message>
    <message>
        <source>Visits</source>
        <translation>Visite</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventi</translation>
    </message>
    <message>
        <source>Gaps</source>
        <translation>Lacune</translation>
    </message>
    <message>
        <source>First event</source>
        <translation>Primo evento</translation>
    </message>
    <message>
        <source>Last event</source>
        <translation>Ultimo evento</translation>
    </message>
    <message>
        <source>Last visit</source>
        <translation>Ultima visita</translation>
    </message>
    <message>
        <source>The latest audit of lock %1 in the archive is not a valid audit file.</source>
        <translation>L&apos;ultimo audit della serratura %1 nell&apos;archivio non è un file di audit valido.</translation>
    </message>
    <message>
        <source>The latest audit of lock %1 in the archive no longer decodes.</source>
        <translation>L&apos;ultimo audit della serratura %1 nell&apos;archivio non si decodifica più.</translation>
    </message>
    <message>
        <source>No archive was named.</source>
        <translation>Non è stato indicato alcun archivio.</translation>
    </message>
    <message>
        <source>The archive address %1 is not usable: %2</source>
        <translation>L&apos;indirizzo dell&apos;archivio %1 non è utilizzabile: %2</translation>
    </message>
    <message>
        <source>it names no server</source>
        <translation>non indica alcun server</translation>
    </message>
    <message>
        <source>the port is not a number from 1 to 65535</source>
        <translation>la porta non è un numero da 1 a 65535</translation>
    </message>
    <message>
        <source>it names no database</source>
        <translation>non indica alcun database</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opzione sconosciuta %1</translation>
    </message>
    <message>
        <source>the option %1 has a value that cannot be used</source>
        <translation>l&apos;opzione %1 ha un valore che non può essere usato</translation>
    </message>
    <message>
        <source>You may read this archive but not add to it</source>
        <translation>Puoi leggere questo archivio ma non aggiungervi nulla</translation>
    </message>
    <message>
        <source>%1: already in the archive</source>
        <translation>%1: già nell&apos;archivio</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The archive %1 cannot be reached: it did not answer within %2 seconds.</source>
        <translation>L&apos;archivio %1 non è raggiungibile: non ha risposto entro %2 secondi.</translation>
    </message>
    <message>
        <source>the connection was lost</source>
        <translation>la connessione si è interrotta</translation>
    </message>
    <message>
        <source>There is no archive at %1</source>
        <translation>Non c&apos;è alcun archivio in %1</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>nessuna risposta</translation>
    </message>
    <message>
        <source>The archive %1 holds several locks named %2: give a serial number (%3).</source>
        <translation>L&apos;archivio %1 contiene più serrature di nome %2: indicare un numero di serie (%3).</translation>
    </message>
    <message>
        <source>The archive is not open.</source>
        <translation>L&apos;archivio non è aperto.</translation>
    </message>
    <message>
        <source>lock name changed from %1 to %2</source>
        <translation>nome della serratura cambiato da %1 a %2</translation>
    </message>
    <message>
        <source>this computer dated the download %1, before the visit of %2, but the lock&apos;s events show it is the latest visit: check the computer&apos;s clock</source>
        <translation>questo computer ha datato lo scarico %1, prima della visita del %2, ma gli eventi della serratura mostrano che è l&apos;ultima visita: controllare l&apos;orologio del computer</translation>
    </message>
    <message>
        <source>this computer dated the download %1, after every other visit, but the lock&apos;s events show it is visit %2 of %3: check the computer&apos;s clock</source>
        <translation>questo computer ha datato lo scarico %1, dopo ogni altra visita, ma gli eventi della serratura mostrano che è la visita %2 di %3: controllare l&apos;orologio del computer</translation>
    </message>
    <message>
        <source>The archive %1 cannot be upgraded: a stored history is damaged (%2).</source>
        <translation>L&apos;archivio %1 non può essere aggiornato: una cronologia salvata è danneggiata (%2).</translation>
    </message>
    <message numerus="yes">
        <source>The archive %1 was upgraded for this version: its %n audits are chained now, so that any later change shows.</source>
        <translation>
            <numerusform>L&apos;archivio %1 è stato aggiornato per questa versione: il suo audit è ora concatenato, così che ogni modifica successiva si veda.</numerusform>
            <numerusform>L&apos;archivio %1 è stato aggiornato per questa versione: i suoi %n audit sono ora concatenati, così che ogni modifica successiva si veda.</numerusform>
        </translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: a piece of a stored history is missing.</source>
        <translation>L&apos;archivio %1 non può essere letto: manca una parte di una cronologia salvata.</translation>
    </message>
    <message>
        <source>The archive %1 cannot be read: a piece of a stored history is empty.</source>
        <translation>L&apos;archivio %1 non può essere letto: una parte di una cronologia salvata è vuota.</translation>
    </message>
    <message>
        <source>The queue of audits to send, %1, cannot be used (%2).</source>
        <translation>La coda degli audit da inviare, %1, non può essere usata (%2).</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n new events</source>
        <translation>
            <numerusform>%1: %n nuovo evento</numerusform>
            <numerusform>%1: %n nuovi eventi</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n lacuna</numerusform>
            <numerusform>, %n lacune</numerusform>
        </translation>
    </message>
    <message>
        <source> (it was meant for %1)</source>
        <translation> (era destinato a %1)</translation>
    </message>
    <message>
        <source>it is not a valid URL (check the port; write @, /, ?, # or : in a password as %40, %2F, %3F, %23, %3A)</source>
        <translation>non è un URL valido (controllare la porta; in una password scrivere @, /, ?, # o : come %40, %2F, %3F, %23, %3A)</translation>
    </message>
    <message>
        <source>a password goes before the server&apos;s name (user:password@server), or in ~/.pgpass</source>
        <translation>una password va prima del nome del server (utente:password@server), oppure in ~/.pgpass</translation>
    </message>
    <message numerus="yes">
        <source>The users log is cut short: %n bytes of 832.</source>
        <translation>
            <numerusform>Il registro utenti è troncato: %n byte su 832.</numerusform>
            <numerusform>Il registro utenti è troncato: %n byte su 832.</numerusform>
        </translation>
    </message>
    <message>
        <source>it holds an option that is not known</source>
        <translation>contiene un’opzione sconosciuta</translation>
    </message>
    <message>
        <source>The archive %1 was made by an earlier version of Corvane Audit and is read here only once upgraded: open it once with this version (for instance with archive locks), which upgrades it.</source>
        <translation>L&apos;archivio %1 è stato creato da una versione precedente di Corvane Audit e qui si legge solo una volta aggiornato: aprirlo una volta con questa versione (per esempio con archive locks), che lo aggiorna.</translation>
    </message>
    <message>
        <source>it is a file, not a folder</source>
        <translation>è un file, non una cartella</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>non si può creare la cartella</translation>
    </message>
    <message>
        <source>%1, event %2, user %3</source>
        <translation>%1, evento %2, utente %3</translation>
    </message>
    <message>
        <source>the audit of visit %1 (downloaded %2)</source>
        <translation>l&apos;audit della visita %1 (scaricato il %2)</translation>
    </message>
    <message>
        <source>%1: its bytes no longer match their SHA-256</source>
        <translation>%1: i suoi byte non corrispondono più al loro SHA-256</translation>
    </message>
    <message>
        <source>%1: it is no longer a valid audit file</source>
        <translation>%1: non è più un file di audit valido</translation>
    </message>
    <message>
        <source>%1: it no longer decodes</source>
        <translation>%1: non si decodifica più</translation>
    </message>
    <message>
        <source>%1: it names another lock, %2</source>
        <translation>%1: nomina un&apos;altra serratura, %2</translation>
    </message>
    <message>
        <source>%1: the audit itself was downloaded %2</source>
        <translation>%1: l&apos;audit stesso è stato scaricato il %2</translation>
    </message>
    <message>
        <source>%1: what is kept of its newest events differs from the audit itself</source>
        <translation>%1: ciò che è conservato dei suoi eventi più recenti differisce dall&apos;audit stesso</translation>
    </message>
    <message>
        <source>its lock history cannot be read: %1</source>
        <translation>la sua cronologia della serratura non si può leggere: %1</translation>
    </message>
    <message>
        <source>its keypad history cannot be read: %1</source>
        <translation>la sua cronologia della tastiera non si può leggere: %1</translation>
    </message>
    <message>
        <source>its history cannot be checked: not every audit of it can be joined again</source>
        <translation>la sua cronologia non si può verificare: non tutti i suoi audit si possono unire di nuovo</translation>
    </message>
    <message>
        <source>the gaps of its history differ from its audits (%1 kept, %2 from its audits)</source>
        <translation>le lacune della sua cronologia differiscono dai suoi audit (%1 conservate, %2 dai suoi audit)</translation>
    </message>
    <message>
        <source>event %1 of the history is credited to visit %2, its audits give visit %3</source>
        <translation>l&apos;evento %1 della cronologia è attribuito alla visita %2, i suoi audit danno la visita %3</translation>
    </message>
    <message>
        <source>event %1 of the history differs from its audits (the history: %2; its audits: %3)</source>
        <translation>l&apos;evento %1 della cronologia differisce dai suoi audit (la cronologia: %2; i suoi audit: %3)</translation>
    </message>
    <message>
        <source>event %1 of the history differs from its audits (the history: %2; its audits end before it)</source>
        <translation>l&apos;evento %1 della cronologia differisce dai suoi audit (la cronologia: %2; i suoi audit finiscono prima)</translation>
    </message>
    <message>
        <source>event %1 of the history differs from its audits (the history ends before it; its audits: %2)</source>
        <translation>l&apos;evento %1 della cronologia differisce dai suoi audit (la cronologia finisce prima; i suoi audit: %2)</translation>
    </message>
    <message>
        <source>event %1 of the history differs in the search table (there: %2)</source>
        <translation>l&apos;evento %1 della cronologia differisce nella tabella di ricerca (lì: %2)</translation>
    </message>
    <message>
        <source>event %1 of the history is missing from the search table</source>
        <translation>l&apos;evento %1 della cronologia manca dalla tabella di ricerca</translation>
    </message>
    <message>
        <source>the search table holds an event its audits do not have (%1)</source>
        <translation>la tabella di ricerca contiene un evento che i suoi audit non hanno (%1)</translation>
    </message>
    <message numerus="yes">
        <source>and %n more differences between the search table and its audits</source>
        <translation>
            <numerusform>e ancora %n differenza tra la tabella di ricerca e i suoi audit</numerusform>
            <numerusform>e altre %n differenze tra la tabella di ricerca e i suoi audit</numerusform>
        </translation>
    </message>
    <message>
        <source>visits %1, its audits %2</source>
        <translation>visite %1, i suoi audit %2</translation>
    </message>
    <message>
        <source>events %1, its audits %2</source>
        <translation>eventi %1, i suoi audit %2</translation>
    </message>
    <message>
        <source>gaps %1, its audits %2</source>
        <translation>lacune %1, i suoi audit %2</translation>
    </message>
    <message>
        <source>its first or last event</source>
        <translation>il suo primo o ultimo evento</translation>
    </message>
    <message>
        <source>its line in the list of locks differs from its audits: %1</source>
        <translation>la sua riga nell&apos;elenco delle serrature differisce dai suoi audit: %1</translation>
    </message>
    <message>
        <source>%1: its place among the audits makes it visit %2</source>
        <translation>%1: il suo posto tra gli audit ne fa la visita %2</translation>
    </message>
    <message>
        <source>the audit imported %1 belongs to no lock</source>
        <translation>l&apos;audit importato il %1 non appartiene a nessuna serratura</translation>
    </message>
    <message numerus="yes">
        <source>the search table holds %n events of no lock</source>
        <translation>
            <numerusform>la tabella di ricerca contiene %n evento di nessuna serratura</numerusform>
            <numerusform>la tabella di ricerca contiene %n eventi di nessuna serratura</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n stored histories belong to no lock</source>
        <translation>
            <numerusform>%n cronologia conservata non appartiene a nessuna serratura</numerusform>
            <numerusform>%n cronologie conservate non appartengono a nessuna serratura</numerusform>
        </translation>
    </message>
    <message>
        <source>an audit was removed or changed</source>
        <translation>un audit è stato rimosso o modificato</translation>
    </message>
    <message>
        <source>a link before it was removed, or links were put in another order</source>
        <translation>un anello precedente è stato rimosso, o gli anelli sono stati messi in un altro ordine</translation>
    </message>
    <message>
        <source>its link was changed</source>
        <translation>il suo anello è stato modificato</translation>
    </message>
    <message>
        <source>the chain breaks at the import of %1: %2</source>
        <translation>la catena si spezza all&apos;importazione del %1: %2</translation>
    </message>
    <message>
        <source>no link of the chain has the head %1: what it covered was removed or changed, or it is the head of another archive</source>
        <translation>nessun anello della catena ha la testa %1: ciò che copriva è stato rimosso o modificato, oppure è la testa di un altro archivio</translation>
    </message>
    <message>
        <source>%1 has no link in the chain</source>
        <translation>%1 non ha un anello nella catena</translation>
    </message>
    <message>
        <source>%1 is not a closed day in the archive %2.</source>
        <translation>%1 non è un giorno di chiusura nell&apos;archivio %2.</translation>
    </message>
    <message>
        <source>The archive no longer holds visit %1 of lock %2 as it was shown: open the history again.</source>
        <translation>L&apos;archivio non contiene più la visita %1 della serratura %2 come era mostrata: aprire di nuovo la cronologia.</translation>
    </message>
    <message>
        <source>the lock did not tell its serial number</source>
        <translation>la serratura non ha indicato il suo numero di serie</translation>
    </message>
    <message>
        <source>Users log kept in the archive with lock %1</source>
        <translation>Registro utenti conservato nell&apos;archivio con la serratura %1</translation>
    </message>
    <message>
        <source>The users log was not kept in the archive: %1
Users logs do not wait on this computer: download it again once the archive answers.</source>
        <translation>Il registro utenti non è stato conservato nell&apos;archivio: %1
I registri utenti non restano in attesa su questo computer: scaricarlo di nuovo quando l&apos;archivio risponde.</translation>
    </message>
    <message>
        <source>The users log was not kept in the archive: %1</source>
        <translation>Il registro utenti non è stato conservato nell&apos;archivio: %1</translation>
    </message>
</context>
<context>
    <name>ConfigurationTab</name>
    <message>
        <source>Informations</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Lock name:</source>
        <translation>Nome serratura:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Numero di serie:</translation>
    </message>
    <message>
        <source>Lock version:</source>
        <translation>Versione serratura:</translation>
    </message>
    <message>
        <source>Keypad version:</source>
        <translation>Versione tastiera:</translation>
    </message>
    <message>
        <source>Lock clock:</source>
        <translation>Orologio della serratura:</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configurazione</translation>
    </message>
    <message>
        <source>Active configuration:</source>
        <translation>Configurazione attiva:</translation>
    </message>
    <message>
        <source>Time delay:</source>
        <translation>Ritardo di apertura:</translation>
    </message>
    <message>
        <source>Open window:</source>
        <translation>Finestra di apertura:</translation>
    </message>
    <message>
        <source>Standard users in dual mode:</source>
        <translation>Utenti standard in doppio codice:</translation>
    </message>
    <message>
        <source>Override users in dual mode:</source>
        <translation>Utenti override in doppio codice:</translation>
    </message>
    <message>
        <source>Override users:</source>
        <translation>Utenti override:</translation>
    </message>
    <message>
        <source>First override user:</source>
        <translation>Primo utente override:</translation>
    </message>
    <message>
        <source>Code expiration:</source>
        <translation>Scadenza codice:</translation>
    </message>
    <message>
        <source>Code disabling:</source>
        <translation>Disattivazione codice:</translation>
    </message>
    <message>
        <source>Closing time:</source>
        <translation>Tempo di chiusura:</translation>
    </message>
    <message>
        <source>Bolt open alarm:</source>
        <translation>Allarme catenaccio aperto:</translation>
    </message>
    <message>
        <source>Input configuration:</source>
        <translation>Configurazione ingresso:</translation>
    </message>
    <message>
        <source>Output configuration:</source>
        <translation>Configurazione uscita:</translation>
    </message>
    <message>
        <source>Buzzer muted:</source>
        <translation>Cicalino silenziato:</translation>
    </message>
    <message>
        <source>Date format:</source>
        <translation>Formato data:</translation>
    </message>
    <message>
        <source>Silent alarm:</source>
        <translation>Allarme silenzioso:</translation>
    </message>
    <message>
        <source>ERC:</source>
        <translation>ERC:</translation>
    </message>
    <message>
        <source>Manager management:</source>
        <translation>Gestione manager:</translation>
    </message>
</context>
<context>
    <name>DeviceOperation</name>
    <message>
        <source>Done</source>
        <translation>Operazione completata</translation>
    </message>
    <message>
        <source>Communication error</source>
        <translation>Errore di comunicazione</translation>
    </message>
    <message>
        <source>No answer from lock</source>
        <translation>Nessuna risposta dalla serratura</translation>
    </message>
    <message>
        <source>No answer from keypad</source>
        <translation>Nessuna risposta dalla tastiera</translation>
    </message>
    <message>
        <source>USB interface disconnected</source>
        <translation>Interfaccia USB scollegata</translation>
    </message>
    <message>
        <source>Dallas key not valid</source>
        <translation>Chiave Dallas non valida</translation>
    </message>
    <message>
        <source>Waiting for Dallas key...</source>
        <translation>In attesa della chiave Dallas...</translation>
    </message>
    <message>
        <source>No Dallas key found</source>
        <translation>Nessuna chiave Dallas trovata</translation>
    </message>
    <message>
        <source>Please enable download mode (function 7) on keypad</source>
        <translation>Attivare la modalità di scarico (funzione 7) sulla tastiera</translation>
    </message>
    <message>
        <source>Lock error %1</source>
        <translation>Errore serratura %1</translation>
    </message>
    <message>
        <source>Unable to open USB interface</source>
        <translation>Impossibile aprire l&apos;interfaccia USB</translation>
    </message>
    <message>
        <source>Reading Dallas key...</source>
        <translation>Lettura della chiave Dallas...</translation>
    </message>
    <message>
        <source>Writing Dallas key...</source>
        <translation>Scrittura della chiave Dallas...</translation>
    </message>
    <message>
        <source>Downloading audit...</source>
        <translation>Scarico dell&apos;audit...</translation>
    </message>
    <message>
        <source>Please connect the PC to the keypad</source>
        <translation>Collegare il PC alla tastiera</translation>
    </message>
    <message>
        <source>Lock&apos;s firmware not compatible with this function</source>
        <translation>Il firmware della serratura non è compatibile con questa funzione</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>dispositivo inesistente</translation>
    </message>
    <message>
        <source>not a serial port</source>
        <translation>non è una porta seriale</translation>
    </message>
    <message>
        <source>no permission to use it</source>
        <translation>nessun permesso per usarla</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>in uso da un altro programma</translation>
    </message>
    <message>
        <source>The capture is off: %1 cannot be written (%2). The operation goes on without it.</source>
        <translation>La cattura è disattivata: impossibile scrivere %1 (%2). L&apos;operazione prosegue senza.</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>impossibile creare la cartella</translation>
    </message>
    <message>
        <source>%1 events, stopping at the last visit (%2 s)</source>
        <translation>%1 eventi, fermandosi all&apos;ultima visita (%2 s)</translation>
    </message>
    <message numerus="yes">
        <source>The download was cancelled after %n events; they are kept, marked as partial.</source>
        <translation>
            <numerusform>Il download è stato annullato dopo %n evento; viene conservato, segnato come parziale.</numerusform>
            <numerusform>Il download è stato annullato dopo %n eventi; vengono conservati, segnati come parziali.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the download stopped after %n events; they are kept, marked as partial.</source>
        <translation>
            <numerusform>%1: il download si è fermato dopo %n evento; viene conservato, segnato come parziale.</numerusform>
            <numerusform>%1: il download si è fermato dopo %n eventi; vengono conservati, segnati come parziali.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (partial: %n events)</source>
        <translation>
            <numerusform>%1 (parziale: %n evento)</numerusform>
            <numerusform>%1 (parziale: %n eventi)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DstGroup</name>
    <message>
        <source>Daylight saving time</source>
        <translation>Ora legale</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Inizio</translation>
    </message>
    <message>
        <source>Week of the month in which daylight saving time starts</source>
        <translation>Settimana del mese in cui inizia l&apos;ora legale</translation>
    </message>
    <message>
        <source>Start week</source>
        <translation>Settimana di inizio</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Prima</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Seconda</translation>
    </message>
    <message>
        <source>Third</source>
        <translation>Terza</translation>
    </message>
    <message>
        <source>Fourth</source>
        <translation>Quarta</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Ultima</translation>
    </message>
    <message>
        <source>Day of the week on which daylight saving time starts</source>
        <translation>Giorno della settimana in cui inizia l&apos;ora legale</translation>
    </message>
    <message>
        <source>Start weekday</source>
        <translation>Giorno di inizio</translation>
    </message>
    <message>
        <source>Sunday of</source>
        <translation>Domenica di</translation>
    </message>
    <message>
        <source>Monday of</source>
        <translation>Lunedì di</translation>
    </message>
    <message>
        <source>Tuesday of</source>
        <translation>Martedì di</translation>
    </message>
    <message>
        <source>Wednesday of</source>
        <translation>Mercoledì di</translation>
    </message>
    <message>
        <source>Thursday of</source>
        <translation>Giovedì di</translation>
    </message>
    <message>
        <source>Friday of</source>
        <translation>Venerdì di</translation>
    </message>
    <message>
        <source>Saturday of</source>
        <translation>Sabato di</translation>
    </message>
    <message>
        <source>Month in which daylight saving time starts</source>
        <translation>Mese in cui inizia l&apos;ora legale</translation>
    </message>
    <message>
        <source>Start month</source>
        <translation>Mese di inizio</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Gennaio</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Febbraio</translation>
    </message>
    <message>
        <source>March</source>
        <translation>Marzo</translation>
    </message>
    <message>
        <source>April</source>
        <translation>Aprile</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Maggio</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Giugno</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Luglio</translation>
    </message>
    <message>
        <source>August</source>
        <translation>Agosto</translation>
    </message>
    <message>
        <source>September</source>
        <translation>Settembre</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Ottobre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>Novembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dicembre</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Fine</translation>
    </message>
    <message>
        <source>Week of the month in which daylight saving time ends</source>
        <translation>Settimana del mese in cui finisce l&apos;ora legale</translation>
    </message>
    <message>
        <source>End week</source>
        <translation>Settimana di fine</translation>
    </message>
    <message>
        <source>Day of the week on which daylight saving time ends</source>
        <translation>Giorno della settimana in cui finisce l&apos;ora legale</translation>
    </message>
    <message>
        <source>End weekday</source>
        <translation>Giorno di fine</translation>
    </message>
    <message>
        <source>Month in which daylight saving time ends</source>
        <translation>Mese in cui finisce l&apos;ora legale</translation>
    </message>
    <message>
        <source>End month</source>
        <translation>Mese di fine</translation>
    </message>
    <message>
        <source>Whether the event times are moved forward or back</source>
        <translation>Se gli orari degli eventi vengono spostati avanti o indietro</translation>
    </message>
    <message>
        <source>Add or subtract</source>
        <translation>Aggiungi o sottrai</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Subtract</source>
        <translation>Sottrai</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Ore</translation>
    </message>
    <message>
        <source>Hours by which the event times are moved</source>
        <translation>Ore di cui vengono spostati gli orari degli eventi</translation>
    </message>
    <message>
        <source>Hours to shift</source>
        <translation>Ore di spostamento</translation>
    </message>
    <message>
        <source>Show the event times corrected for daylight saving time</source>
        <translation>Mostra gli orari degli eventi corretti per l&apos;ora legale</translation>
    </message>
    <message>
        <source>Set daylight saving time</source>
        <translation>Applica l&apos;ora legale</translation>
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
        <translation>Apertura sotto coercizione</translation>
    </message>
    <message>
        <source>Opening outside hours</source>
        <translation>Apertura fuori orario</translation>
    </message>
    <message>
        <source>Wrong code burst</source>
        <translation>Serie di codici errati</translation>
    </message>
    <message>
        <source>Clock set</source>
        <translation>Orologio impostato</translation>
    </message>
    <message>
        <source>Opening after clock set</source>
        <translation>Apertura dopo l&apos;impostazione dell&apos;orologio</translation>
    </message>
    <message>
        <source>Door opened without opening</source>
        <translation>Porta aperta senza apertura</translation>
    </message>
    <message>
        <source>Door held open</source>
        <translation>Porta tenuta aperta</translation>
    </message>
    <message>
        <source>Delays changed</source>
        <translation>Ritardi modificati</translation>
    </message>
    <message>
        <source>Lock restarted</source>
        <translation>Serratura riavviata</translation>
    </message>
    <message>
        <source>Lock reset</source>
        <translation>Reset serratura</translation>
    </message>
    <message>
        <source>Events missing</source>
        <translation>Eventi mancanti</translation>
    </message>
    <message>
        <source>Not visited</source>
        <translation>Non visitata</translation>
    </message>
    <message>
        <source>Unknown finding &quot;%1&quot;: the findings are %2.</source>
        <translation>Rilievo sconosciuto &quot;%1&quot;: i rilievi sono %2.</translation>
    </message>
    <message>
        <source>No finding is named.</source>
        <translation>Nessun rilievo indicato.</translation>
    </message>
    <message>
        <source>A burst of wrong codes is %1 to %2 wrong tries, not %3.</source>
        <translation>Una serie di codici errati è da %1 a %2 tentativi errati, non %3.</translation>
    </message>
    <message>
        <source>The minutes between wrong codes are %1 to %2, not %3.</source>
        <translation>I minuti tra codici errati sono da %1 a %2, non %3.</translation>
    </message>
    <message>
        <source>The minutes after a clock setting are %1 to %2, not %3.</source>
        <translation>I minuti dopo un&apos;impostazione dell&apos;orologio sono da %1 a %2, non %3.</translation>
    </message>
    <message>
        <source>The minutes a door may stay open are %1 to %2, not %3.</source>
        <translation>I minuti in cui una porta può restare aperta sono da %1 a %2, non %3.</translation>
    </message>
    <message>
        <source>The days without a visit are %1 to %2, not %3.</source>
        <translation>I giorni senza visita sono da %1 a %2, non %3.</translation>
    </message>
    <message>
        <source>Bad wrong-code threshold &quot;%1&quot;: it is a count and minutes, as in 5/10.</source>
        <translation>Soglia dei codici errati non valida &quot;%1&quot;: è un numero e dei minuti, come in 5/10.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number.</source>
        <translation>&quot;%1&quot; non è un numero intero.</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Rilievo</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Fino a</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Persona</translation>
    </message>
    <message>
        <source>Bad range &quot;%1&quot;: a range is a start and an end, as in 07:00-20:00.</source>
        <translation>Intervallo non valido &quot;%1&quot;: un intervallo è un inizio e una fine, come in 07:00-20:00.</translation>
    </message>
    <message>
        <source>Bad time &quot;%1&quot;: a time is HH:MM from 00:00 to 23:59, or 24:00 as an end.</source>
        <translation>Ora non valida &quot;%1&quot;: un&apos;ora è HH:MM da 00:00 a 23:59, o 24:00 come fine.</translation>
    </message>
    <message>
        <source>The range %1 does not end after it starts; hours past midnight are a range on each day, as in &quot;Mon 22:00-24:00; Tue 00:00-06:00&quot;.</source>
        <translation>L&apos;intervallo %1 non finisce dopo l&apos;inizio; gli orari oltre la mezzanotte sono un intervallo per ciascun giorno, come in &quot;Mon 22:00-24:00; Tue 00:00-06:00&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not start with its days, as in &quot;Mon-Fri 07:00-20:00&quot;.</source>
        <translation>&quot;%1&quot; non inizia con i suoi giorni, come in &quot;Mon-Fri 07:00-20:00&quot;.</translation>
    </message>
    <message>
        <source>Unknown day &quot;%1&quot;: the days are Mon, Tue, Wed, Thu, Fri, Sat and Sun.</source>
        <translation>Giorno sconosciuto &quot;%1&quot;: i giorni sono Mon, Tue, Wed, Thu, Fri, Sat e Sun.</translation>
    </message>
    <message>
        <source>The days %1 run backwards: a range of days goes from the earlier to the later, as in Mon-Fri.</source>
        <translation>I giorni %1 vanno all&apos;indietro: un intervallo di giorni va dal primo all&apos;ultimo, come in Mon-Fri.</translation>
    </message>
    <message>
        <source>No hours are given for %1.</source>
        <translation>Nessun orario indicato per %1.</translation>
    </message>
    <message>
        <source>No opening hours are given: write them as in &quot;Mon-Fri 07:00-20:00&quot;, or &quot;closed&quot;.</source>
        <translation>Nessun orario di apertura indicato: scriverlo come in &quot;Mon-Fri 07:00-20:00&quot;, o &quot;closed&quot;.</translation>
    </message>
    <message>
        <source>The ranges %1 and %2 overlap on %3.</source>
        <translation>Gli intervalli %1 e %2 di %3 si sovrappongono.</translation>
    </message>
</context>
<context>
    <name>FindingsTab</name>
    <message>
        <source>All locks</source>
        <translation>Tutte le serrature</translation>
    </message>
    <message>
        <source>Locks selected in the Locks tab</source>
        <translation>Serrature selezionate nella scheda Serrature</translation>
    </message>
    <message>
        <source>Audit on screen</source>
        <translation>Audit sullo schermo</translation>
    </message>
    <message>
        <source>Findings of</source>
        <translation>Rilievi di</translation>
    </message>
    <message>
        <source>Judge again</source>
        <translation>Valuta di nuovo</translation>
    </message>
    <message>
        <source>Judge the locks again by the archive&apos;s hours, closed days and thresholds</source>
        <translation>Valuta di nuovo le serrature secondo gli orari, i giorni di chiusura e le soglie dell&apos;archivio</translation>
    </message>
    <message>
        <source>Export to Excel</source>
        <translation>Esporta in Excel</translation>
    </message>
    <message>
        <source>Write the findings listed to a workbook</source>
        <translation>Scrive i rilievi elencati in una cartella di lavoro</translation>
    </message>
    <message>
        <source>Export to PDF</source>
        <translation>Esporta in PDF</translation>
    </message>
    <message>
        <source>Write the findings listed to a PDF report</source>
        <translation>Scrive i rilievi elencati in un rapporto PDF</translation>
    </message>
    <message>
        <source>From YYYY-MM-DD</source>
        <translation>Dal AAAA-MM-GG</translation>
    </message>
    <message>
        <source>Findings from this day</source>
        <translation>Rilievi da questo giorno</translation>
    </message>
    <message>
        <source>To YYYY-MM-DD</source>
        <translation>Al AAAA-MM-GG</translation>
    </message>
    <message>
        <source>Findings up to this day</source>
        <translation>Rilievi fino a questo giorno</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Rilievo</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Serratura</translation>
    </message>
    <message>
        <source>Any finding</source>
        <translation>Qualsiasi rilievo</translation>
    </message>
    <message>
        <source>Select locks in the Locks tab, or search for them there.</source>
        <translation>Selezionare le serrature nella scheda Serrature, o cercarle lì.</translation>
    </message>
    <message>
        <source>Judging the locks...</source>
        <translation>Valutazione delle serrature...</translation>
    </message>
    <message numerus="yes">
        <source>%n locks judged by the archive&apos;s hours, closed days and thresholds.</source>
        <translation>
            <numerusform>%n serratura valutata secondo gli orari, i giorni di chiusura e le soglie dell&apos;archivio.</numerusform>
            <numerusform>%n serrature valutate secondo gli orari, i giorni di chiusura e le soglie dell&apos;archivio.</numerusform>
        </translation>
    </message>
    <message>
        <source>The audit on screen, judged by the default hours and thresholds.</source>
        <translation>L&apos;audit sullo schermo, valutato secondo gli orari e le soglie predefiniti.</translation>
    </message>
    <message>
        <source>Open or download an audit to see its findings; a lock&apos;s history has them under All locks.</source>
        <translation>Aprire o scaricare un audit per vederne i rilievi; quelli della cronologia di una serratura sono sotto Tutte le serrature.</translation>
    </message>
    <message>
        <source>Any lock</source>
        <translation>Qualsiasi serratura</translation>
    </message>
    <message>
        <source>The first day is not a date as YYYY-MM-DD: %1</source>
        <translation>Il primo giorno non è una data come AAAA-MM-GG: %1</translation>
    </message>
    <message>
        <source>The last day is not a date as YYYY-MM-DD: %1</source>
        <translation>L&apos;ultimo giorno non è una data come AAAA-MM-GG: %1</translation>
    </message>
    <message>
        <source>No findings</source>
        <translation>Nessun rilievo</translation>
    </message>
    <message numerus="yes">
        <source>Findings: %n locks, %1 to %2</source>
        <translation>
            <numerusform>Rilievi: %n serratura, dal %1 al %2</numerusform>
            <numerusform>Rilievi: %n serrature, dal %1 al %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Findings: %n locks</source>
        <translation>
            <numerusform>Rilievi: %n serratura</numerusform>
            <numerusform>Rilievi: %n serrature</numerusform>
        </translation>
    </message>
    <message>
        <source>No findings to export.</source>
        <translation>Nessun rilievo da esportare.</translation>
    </message>
    <message>
        <source>Findings exported to %1</source>
        <translation>Rilievi esportati in %1</translation>
    </message>
    <message>
        <source>Unable to export the findings: %1</source>
        <translation>Impossibile esportare i rilievi: %1</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>not a stored history</source>
        <translation>non è una cronologia archiviata</translation>
    </message>
    <message>
        <source>the stored history is cut short</source>
        <translation>la cronologia archiviata è troncata</translation>
    </message>
    <message>
        <source>the stored history has bytes after its end</source>
        <translation>la cronologia archiviata ha byte oltre la fine</translation>
    </message>
    <message>
        <source>the stored history is too long to be read</source>
        <translation>la cronologia archiviata è troppo lunga per essere letta</translation>
    </message>
</context>
<context>
    <name>LockClock</name>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n giorno</numerusform>
            <numerusform>%n giorni</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n ora</numerusform>
            <numerusform>%n ore</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minuto</numerusform>
            <numerusform>%n minuti</numerusform>
        </translation>
    </message>
    <message>
        <source>Same as the computer&apos;s clock</source>
        <translation>Uguale all&apos;orologio del computer</translation>
    </message>
    <message>
        <source>%1 ahead of the computer&apos;s clock</source>
        <translation>%1 avanti rispetto all&apos;orologio del computer</translation>
    </message>
    <message>
        <source>%1 behind the computer&apos;s clock</source>
        <translation>%1 indietro rispetto all&apos;orologio del computer</translation>
    </message>
    <message>
        <source>The lock&apos;s clock is %1 ahead of the computer&apos;s clock. Set it on the keypad before you leave.</source>
        <translation>L&apos;orologio della serratura è %1 avanti rispetto a quello del computer. Regolarlo dalla tastiera prima di andare via.</translation>
    </message>
    <message>
        <source>The lock&apos;s clock is %1 behind the computer&apos;s clock. Set it on the keypad before you leave.</source>
        <translation>L&apos;orologio della serratura è %1 indietro rispetto a quello del computer. Regolarlo dalla tastiera prima di andare via.</translation>
    </message>
</context>
<context>
    <name>LocksTab</name>
    <message>
        <source>Search by serial number or lock name</source>
        <translation>Cerca per numero di serie o nome della serratura</translation>
    </message>
    <message>
        <source>Search locks</source>
        <translation>Cerca serrature</translation>
    </message>
    <message>
        <source>Open history</source>
        <translation>Apri cronologia</translation>
    </message>
    <message>
        <source>Show the lock&apos;s whole history in the Events tab</source>
        <translation>Mostra l&apos;intera cronologia della serratura nella scheda Eventi</translation>
    </message>
    <message>
        <source>From YYYY-MM-DD</source>
        <translation>Dal AAAA-MM-GG</translation>
    </message>
    <message>
        <source>Events from this day</source>
        <translation>Eventi da questo giorno</translation>
    </message>
    <message>
        <source>To YYYY-MM-DD</source>
        <translation>Al AAAA-MM-GG</translation>
    </message>
    <message>
        <source>Events up to this day</source>
        <translation>Eventi fino a questo giorno</translation>
    </message>
    <message>
        <source>Any user</source>
        <translation>Qualsiasi utente</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Cerca</translation>
    </message>
    <message>
        <source>The matching events of every lock listed, newest first</source>
        <translation>Gli eventi corrispondenti di ogni serratura elencata, dal più recente</translation>
    </message>
    <message>
        <source>Send now</source>
        <translation>Invia ora</translation>
    </message>
    <message>
        <source>Any event</source>
        <translation>Qualsiasi evento</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>%1 audits waiting to be sent</source>
        <translation>%1 audit in attesa di essere inviati</translation>
    </message>
    <message>
        <source>The first day is not a date as YYYY-MM-DD: %1</source>
        <translation>Il primo giorno non è una data come AAAA-MM-GG: %1</translation>
    </message>
    <message>
        <source>The last day is not a date as YYYY-MM-DD: %1</source>
        <translation>L&apos;ultimo giorno non è una data come AAAA-MM-GG: %1</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Ricerca in corso...</translation>
    </message>
    <message>
        <source>Download new events</source>
        <translation>Scarica i nuovi eventi</translation>
    </message>
    <message>
        <source>Download from the connected lock only what it recorded since the last visit</source>
        <translation>Scarica dalla serratura collegata solo ciò che ha registrato dall&apos;ultima visita</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utente</translation>
    </message>
    <message numerus="yes">
        <source>%n events found</source>
        <translation>
            <numerusform>%n evento trovato</numerusform>
            <numerusform>%n eventi trovati</numerusform>
        </translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Rilievi</translation>
    </message>
    <message numerus="yes">
        <source>Findings of the last %n days, today included, as the archive&apos;s hours, closed days and thresholds judge them</source>
        <translation>
            <numerusform>Rilievi dell&apos;ultimo giorno, oggi compreso, secondo gli orari, i giorni di chiusura e le soglie dell&apos;archivio</numerusform>
            <numerusform>Rilievi degli ultimi %n giorni, oggi compreso, secondo gli orari, i giorni di chiusura e le soglie dell&apos;archivio</numerusform>
        </translation>
    </message>
    <message>
        <source>People...</source>
        <translation>Persone...</translation>
    </message>
    <message>
        <source>Who held each of the selected lock&apos;s user numbers, and when</source>
        <translation>Chi ha avuto ciascun numero utente della serratura selezionata, e quando</translation>
    </message>
    <message>
        <source>Save the lock&apos;s audits...</source>
        <translation>Salva gli audit della serratura...</translation>
    </message>
    <message>
        <source>Every audit of the selected lock exactly as it was kept, with their SHA-256 sums in SHA256SUMS</source>
        <translation>Ogni audit della serratura selezionata esattamente come è stato conservato, con le somme SHA-256 in SHA256SUMS</translation>
    </message>
    <message>
        <source>Opening hours:</source>
        <translation>Orari di apertura:</translation>
    </message>
    <message>
        <source>When the selected lock may be opened: an opening at any other time is a finding</source>
        <translation>Quando la serratura selezionata può essere aperta: un&apos;apertura in qualsiasi altro momento è un rilievo</translation>
    </message>
    <message>
        <source>Save hours</source>
        <translation>Salva orari</translation>
    </message>
    <message>
        <source>Use the default</source>
        <translation>Usa quelli predefiniti</translation>
    </message>
    <message>
        <source>The lock is judged by the archive&apos;s default hours again</source>
        <translation>La serratura torna a essere valutata secondo gli orari predefiniti dell&apos;archivio</translation>
    </message>
    <message>
        <source>The lock&apos;s own opening hours</source>
        <translation>Orari di apertura propri della serratura</translation>
    </message>
    <message>
        <source>The archive&apos;s default opening hours</source>
        <translation>Orari di apertura predefiniti dell&apos;archivio</translation>
    </message>
    <message>
        <source>Save the audits of lock %1 in</source>
        <translation>Salva gli audit della serratura %1 in</translation>
    </message>
    <message>
        <source>Unable to write %1: %2</source>
        <translation>Impossibile scrivere %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.</source>
        <translation>
            <numerusform>%n audit della serratura %1 scritto in %2, con la sua somma SHA-256 in SHA256SUMS.</numerusform>
            <numerusform>%n audit della serratura %1 scritti in %2, con le loro somme SHA-256 in SHA256SUMS.</numerusform>
        </translation>
    </message>
    <message>
        <source>These no longer match the SHA-256 recorded at their import: %1</source>
        <translation>Questi non corrispondono più allo SHA-256 registrato alla loro importazione: %1</translation>
    </message>
    <message>
        <source>Events found</source>
        <translation>Eventi trovati</translation>
    </message>
    <message numerus="yes">
        <source>Events found: %n</source>
        <translation>
            <numerusform>Eventi trovati: %n</numerusform>
            <numerusform>Eventi trovati: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Events exported to %1</source>
        <translation>Eventi esportati in %1</translation>
    </message>
    <message>
        <source>Unable to export the events: %1</source>
        <translation>Impossibile esportare gli eventi: %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>New</source>
        <translation>Nuovo</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Salva...</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Apri...</translation>
    </message>
    <message>
        <source>Export Audit</source>
        <translation>Esporta</translation>
    </message>
    <message>
        <source>Create Dallas
audit key</source>
        <translation>Crea chiave
audit Dallas</translation>
    </message>
    <message>
        <source>Read Dallas
audit key</source>
        <translation>Leggi chiave
audit Dallas</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Scarica</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>Eventi</translation>
    </message>
    <message>
        <source>Filters</source>
        <translation>Filtri</translation>
    </message>
    <message>
        <source>PC date/time at audit download:</source>
        <translation>Data/ora del PC allo scarico dell&apos;audit:</translation>
    </message>
    <message>
        <source>Keypad date/time at audit download:</source>
        <translation>Data/ora della tastiera allo scarico dell&apos;audit:</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configurazione</translation>
    </message>
    <message>
        <source>Informations</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Lock name:</source>
        <translation>Nome serratura:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Numero di serie:</translation>
    </message>
    <message>
        <source>Lock version:</source>
        <translation>Versione serratura:</translation>
    </message>
    <message>
        <source>Keypad version:</source>
        <translation>Versione tastiera:</translation>
    </message>
    <message>
        <source>Active configuration:</source>
        <translation>Configurazione attiva:</translation>
    </message>
    <message>
        <source>Time delay:</source>
        <translation>Ritardo di apertura:</translation>
    </message>
    <message>
        <source>Open window:</source>
        <translation>Finestra di apertura:</translation>
    </message>
    <message>
        <source>Standard users in dual mode:</source>
        <translation>Utenti standard in doppio codice:</translation>
    </message>
    <message>
        <source>Override users in dual mode:</source>
        <translation>Utenti override in doppio codice:</translation>
    </message>
    <message>
        <source>Override users:</source>
        <translation>Utenti override:</translation>
    </message>
    <message>
        <source>First override user:</source>
        <translation>Primo utente override:</translation>
    </message>
    <message>
        <source>Code expiration:</source>
        <translation>Scadenza codice:</translation>
    </message>
    <message>
        <source>Code disabling:</source>
        <translation>Disattivazione codice:</translation>
    </message>
    <message>
        <source>Closing time:</source>
        <translation>Tempo di chiusura:</translation>
    </message>
    <message>
        <source>Bolt open alarm:</source>
        <translation>Allarme catenaccio aperto:</translation>
    </message>
    <message>
        <source>Input configuration:</source>
        <translation>Configurazione ingresso:</translation>
    </message>
    <message>
        <source>Output configuration:</source>
        <translation>Configurazione uscita:</translation>
    </message>
    <message>
        <source>Buzzer muted:</source>
        <translation>Cicalino silenziato:</translation>
    </message>
    <message>
        <source>Date format:</source>
        <translation>Formato data:</translation>
    </message>
    <message>
        <source>Silent alarm:</source>
        <translation>Allarme silenzioso:</translation>
    </message>
    <message>
        <source>ERC:</source>
        <translation>ERC:</translation>
    </message>
    <message>
        <source>Manager management:</source>
        <translation>Gestione manager:</translation>
    </message>
    <message>
        <source>Users</source>
        <translation>Utenti</translation>
    </message>
    <message>
        <source>Audit</source>
        <translation>Audit</translation>
    </message>
    <message>
        <source>Users log</source>
        <translation>Registro utenti</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>Italiano</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglese</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>Spagnolo</translation>
    </message>
    <message>
        <source>Export to Pdf</source>
        <translation>Esporta in PDF</translation>
    </message>
    <message>
        <source>Export to Excel</source>
        <translation>Esporta in Excel</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Unable to save file</source>
        <translation>Impossibile salvare il file</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Operazione completata</translation>
    </message>
    <message>
        <source>File not valid</source>
        <translation>File non valido</translation>
    </message>
    <message>
        <source>month</source>
        <translation>mese</translation>
    </message>
    <message>
        <source>months</source>
        <translation>mesi</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>minuto</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>minuti</translation>
    </message>
    <message>
        <source>second</source>
        <translation>secondo</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>secondi</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installato</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabilitato</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Cancellato</translation>
    </message>
    <message>
        <source>Code only</source>
        <translation>Solo codice</translation>
    </message>
    <message>
        <source>Code and Dallas key</source>
        <translation>Codice e chiave Dallas</translation>
    </message>
    <message>
        <source>Dallas key only</source>
        <translation>Solo chiave Dallas</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utente</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stato</translation>
    </message>
    <message>
        <source>Opening mode</source>
        <translation>Modalità di apertura</translation>
    </message>
    <message>
        <source>Master 2</source>
        <translation>Master 2</translation>
    </message>
    <message>
        <source>Manager</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>Manager 2</source>
        <translation>Manager 2</translation>
    </message>
    <message>
        <source>Manager 3</source>
        <translation>Manager 3</translation>
    </message>
    <message>
        <source>CRC error</source>
        <translation>Errore CRC</translation>
    </message>
    <message>
        <source>Dallas key data error</source>
        <translation>Errore nei dati della chiave Dallas</translation>
    </message>
    <message>
        <source>The Dallas audit key is empty</source>
        <translation>La chiave audit Dallas è vuota</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Sconosciuto</translation>
    </message>
    <message>
        <source>Valid code</source>
        <translation>Codice valido</translation>
    </message>
    <message>
        <source>Code changed</source>
        <translation>Codice modificato</translation>
    </message>
    <message>
        <source>Motor in open position (bolt not open)</source>
        <translation>Motore in posizione di apertura (catenaccio non aperto)</translation>
    </message>
    <message>
        <source>Bolt open</source>
        <translation>Catenaccio aperto</translation>
    </message>
    <message>
        <source>Motor in open position (low battery - bolt not open)</source>
        <translation>Motore in posizione di apertura (batteria scarica - catenaccio non aperto)</translation>
    </message>
    <message>
        <source>Bolt open (low battery)</source>
        <translation>Catenaccio aperto (batteria scarica)</translation>
    </message>
    <message>
        <source>Time delay started</source>
        <translation>Ritardo di apertura avviato</translation>
    </message>
    <message>
        <source>Open window started</source>
        <translation>Finestra di apertura avviata</translation>
    </message>
    <message>
        <source>Access attempt with expired user</source>
        <translation>Tentativo di accesso con utente scaduto</translation>
    </message>
    <message>
        <source>Valid code with silent alarm</source>
        <translation>Codice valido con allarme silenzioso</translation>
    </message>
    <message>
        <source>Remote block</source>
        <translation>Blocco remoto</translation>
    </message>
    <message>
        <source>Low battery detected during opening</source>
        <translation>Batteria scarica rilevata durante l&apos;apertura</translation>
    </message>
    <message>
        <source>Access attempt with user deleted for inactivity</source>
        <translation>Tentativo di accesso con utente cancellato per inattività</translation>
    </message>
    <message>
        <source>User enabled</source>
        <translation>Utente abilitato</translation>
    </message>
    <message>
        <source>User installed</source>
        <translation>Utente installato</translation>
    </message>
    <message>
        <source>User disabled</source>
        <translation>Utente disabilitato</translation>
    </message>
    <message>
        <source>User deleted</source>
        <translation>Utente cancellato</translation>
    </message>
    <message>
        <source>Motor timeout</source>
        <translation>Timeout motore</translation>
    </message>
    <message>
        <source>Command 22</source>
        <translation>Comando 22</translation>
    </message>
    <message>
        <source>Command 89 (write)</source>
        <translation>Comando 89 (scrittura)</translation>
    </message>
    <message>
        <source>Time delay and open window changed</source>
        <translation>Ritardo e finestra di apertura modificati</translation>
    </message>
    <message>
        <source>Entered &apos;Change code&apos; function</source>
        <translation>Accesso alla funzione &apos;Cambio codice&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Install user&apos; function</source>
        <translation>Accesso alla funzione &apos;Installa utente&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Disable/enable user&apos; function</source>
        <translation>Accesso alla funzione &apos;Disabilita/abilita utente&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Delete user&apos; function</source>
        <translation>Accesso alla funzione &apos;Cancella utente&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Battery check&apos; function</source>
        <translation>Accesso alla funzione &apos;Controllo batteria&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Keypad check&apos; function</source>
        <translation>Accesso alla funzione &apos;Controllo tastiera&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;System settings&apos; function</source>
        <translation>Accesso alla funzione &apos;Impostazioni di sistema&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Users status/audit download&apos; function</source>
        <translation>Accesso alla funzione &apos;Stato utenti/scarico audit&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Change configuration&apos; function</source>
        <translation>Accesso alla funzione &apos;Cambio configurazione&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Change time delay&apos; function</source>
        <translation>Accesso alla funzione &apos;Cambio ritardo di apertura&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Lock reset&apos; function</source>
        <translation>Accesso alla funzione &apos;Reset serratura&apos;</translation>
    </message>
    <message>
        <source>Entered &apos;Set time/date&apos; function</source>
        <translation>Accesso alla funzione &apos;Imposta ora/data&apos;</translation>
    </message>
    <message>
        <source>Option changed</source>
        <translation>Opzione modificata</translation>
    </message>
    <message>
        <source>Configuration changed</source>
        <translation>Configurazione modificata</translation>
    </message>
    <message>
        <source>Door opened (REED sensor</source>
        <translation>Porta aperta (sensore REED</translation>
    </message>
    <message>
        <source>Door closed (REED sensor</source>
        <translation>Porta chiusa (sensore REED</translation>
    </message>
    <message>
        <source>Time and date changed</source>
        <translation>Ora e data modificate</translation>
    </message>
    <message>
        <source>Date changed</source>
        <translation>Data modificata</translation>
    </message>
    <message>
        <source>Time changed</source>
        <translation>Ora modificata</translation>
    </message>
    <message>
        <source>Power re-enabled</source>
        <translation>Alimentazione ripristinata</translation>
    </message>
    <message>
        <source>CPU restart</source>
        <translation>Riavvio CPU</translation>
    </message>
    <message>
        <source>Wrong try</source>
        <translation>Tentativo errato</translation>
    </message>
    <message>
        <source>Time penalty</source>
        <translation>Tempo di penalità</translation>
    </message>
    <message>
        <source>Stop count</source>
        <translation>Conteggio interrotto</translation>
    </message>
    <message>
        <source>Bolt closed</source>
        <translation>Catenaccio chiuso</translation>
    </message>
    <message>
        <source>Lock reset</source>
        <translation>Reset serratura</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>Ripristino impostazioni di fabbrica</translation>
    </message>
    <message>
        <source>Lock installed/removed</source>
        <translation>Serratura installata/rimossa</translation>
    </message>
    <message>
        <source>Option 00 (Remote override/Remode disable opening)</source>
        <translation>Opzione 00 (Override remoto/Disabilitazione apertura remota)</translation>
    </message>
    <message>
        <source>Option 01 (Bolt output/Hold-up)</source>
        <translation>Opzione 01 (Uscita catenaccio/Rapina)</translation>
    </message>
    <message>
        <source>Option 02 (Door alarm)</source>
        <translation>Opzione 02 (Allarme porta)</translation>
    </message>
    <message>
        <source>Option 03 (Manual closing)</source>
        <translation>Opzione 03 (Chiusura manuale)</translation>
    </message>
    <message>
        <source>Option 04 (Buzzer silencing)</source>
        <translation>Opzione 04 (Silenziamento cicalino)</translation>
    </message>
    <message>
        <source>Option 05 (Date format)</source>
        <translation>Opzione 05 (Formato data)</translation>
    </message>
    <message>
        <source>Option 06 (Changing code expiring)</source>
        <translation>Opzione 06 (Scadenza codice)</translation>
    </message>
    <message>
        <source>Option 07 (Disabling code expiring)</source>
        <translation>Opzione 07 (Disattivazione codice)</translation>
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
        <translation>Data</translation>
    </message>
    <message>
        <source>Date with DST</source>
        <translation>Data con ora legale</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Evento</translation>
    </message>
    <message>
        <source>Event ID</source>
        <translation>ID evento</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Utente %1</translation>
    </message>
    <message>
        <source>Configuration %1</source>
        <translation>Configurazione %1</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Sì</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Not available</source>
        <translation>Non disponibile</translation>
    </message>
    <message>
        <source>Pre-Setup</source>
        <translation>Preconfigurazione</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuale</translation>
    </message>
    <message>
        <source>Remote override</source>
        <translation>Override remoto</translation>
    </message>
    <message>
        <source>Bolt switch output</source>
        <translation>Uscita contatto catenaccio</translation>
    </message>
    <message>
        <source>Silent alarm</source>
        <translation>Allarme silenzioso</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Manager 02</source>
        <translation>Manager 02</translation>
    </message>
    <message>
        <source>Manager 03</source>
        <translation>Manager 03</translation>
    </message>
    <message>
        <source>Master 02</source>
        <translation>Master 02</translation>
    </message>
    <message>
        <source>ERC 1 user</source>
        <translation>Utente ERC 1</translation>
    </message>
    <message>
        <source>ERC 2 user</source>
        <translation>Utente ERC 2</translation>
    </message>
    <message>
        <source>Unknown option</source>
        <translation>Opzione sconosciuta</translation>
    </message>
    <message>
        <source>Keypad</source>
        <translation>Tastiera</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Serratura</translation>
    </message>
    <message>
        <source>Unable to find any USB interface</source>
        <translation>Nessuna interfaccia USB trovata</translation>
    </message>
    <message>
        <source>Warning: this operation will delete all data in Dallas key. Do you want to proceed?</source>
        <translation>Attenzione: questa operazione cancellerà tutti i dati della chiave Dallas. Continuare?</translation>
    </message>
    <message>
        <source>You have already set DST for these events. Do you want to set it again?</source>
        <translation>L&apos;ora legale è già stata impostata per questi eventi. Si desidera impostarla di nuovo?</translation>
    </message>
    <message>
        <source>Audit successfully exported</source>
        <translation>Audit esportato correttamente</translation>
    </message>
    <message>
        <source>Unable to export audit</source>
        <translation>Impossibile esportare l&apos;audit</translation>
    </message>
    <message>
        <source>No audit to export</source>
        <translation>Nessun audit da esportare</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Pagina</translation>
    </message>
    <message>
        <source>of</source>
        <translation>di</translation>
    </message>
    <message>
        <source>An update is available. Do you want to download and install it?</source>
        <translation>È disponibile un aggiornamento. Scaricarlo e installarlo?</translation>
    </message>
    <message>
        <source>Clear the audit on display</source>
        <translation>Cancella l&apos;audit visualizzato</translation>
    </message>
    <message>
        <source>Save the audit to a file</source>
        <translation>Salva l&apos;audit in un file</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>Open an audit file</source>
        <translation>Apri un file di audit</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Apri</translation>
    </message>
    <message>
        <source>Export the audit to PDF or Excel</source>
        <translation>Esporta l&apos;audit in PDF o Excel</translation>
    </message>
    <message>
        <source>Prepare a Dallas key to collect the audit of a lock</source>
        <translation>Prepara una chiave Dallas per raccogliere l&apos;audit di una serratura</translation>
    </message>
    <message>
        <source>Create Dallas audit key</source>
        <translation>Crea chiave Dallas di audit</translation>
    </message>
    <message>
        <source>Read the audit collected by a Dallas key</source>
        <translation>Legge l&apos;audit raccolto da una chiave Dallas</translation>
    </message>
    <message>
        <source>Read Dallas audit key</source>
        <translation>Leggi chiave Dallas di audit</translation>
    </message>
    <message>
        <source>Download the audit or the users log from the lock</source>
        <translation>Scarica dalla serratura l&apos;audit o il registro utenti</translation>
    </message>
    <message>
        <source>Date format, hour format and audit type</source>
        <translation>Formato della data, formato dell&apos;ora e tipo di audit</translation>
    </message>
    <message>
        <source>Italian, English or Spanish</source>
        <translation>Italiano, inglese o spagnolo</translation>
    </message>
    <message>
        <source>Version, updates and program information</source>
        <translation>Versione, aggiornamenti e informazioni sul programma</translation>
    </message>
    <message>
        <source>USB interface</source>
        <translation>Interfaccia USB</translation>
    </message>
    <message>
        <source>Serial port of the USB interface</source>
        <translation>Porta seriale dell&apos;interfaccia USB</translation>
    </message>
    <message>
        <source>USB interface port</source>
        <translation>Porta dell&apos;interfaccia USB</translation>
    </message>
    <message>
        <source>Look for USB interfaces again</source>
        <translation>Cerca di nuovo le interfacce USB</translation>
    </message>
    <message>
        <source>Refresh interfaces</source>
        <translation>Aggiorna interfacce</translation>
    </message>
    <message>
        <source>Events table</source>
        <translation>Tabella eventi</translation>
    </message>
    <message>
        <source>Users table</source>
        <translation>Tabella utenti</translation>
    </message>
    <message>
        <source>Set filter</source>
        <translation>Applica filtro</translation>
    </message>
    <message>
        <source>Show only the rows that match the checked items</source>
        <translation>Mostra solo le righe che corrispondono alle voci selezionate</translation>
    </message>
    <message>
        <source>Reset filter</source>
        <translation>Azzera filtro</translation>
    </message>
    <message>
        <source>Clear the checked items and show every row</source>
        <translation>Deseleziona le voci e mostra tutte le righe</translation>
    </message>
    <message>
        <source>Date filter</source>
        <translation>Filtro data</translation>
    </message>
    <message>
        <source>Dates to show</source>
        <translation>Date da mostrare</translation>
    </message>
    <message>
        <source>User filter</source>
        <translation>Filtro utente</translation>
    </message>
    <message>
        <source>Users to show</source>
        <translation>Utenti da mostrare</translation>
    </message>
    <message>
        <source>Event filter</source>
        <translation>Filtro evento</translation>
    </message>
    <message>
        <source>Events to show</source>
        <translation>Eventi da mostrare</translation>
    </message>
    <message>
        <source>Event ID filter</source>
        <translation>Filtro ID evento</translation>
    </message>
    <message>
        <source>Event IDs to show</source>
        <translation>ID evento da mostrare</translation>
    </message>
    <message>
        <source>The file name is not valid text in this system&apos;s encoding: the file cannot be opened.</source>
        <translation>Il nome del file non è un testo valido nella codifica di questo sistema: il file non può essere aperto.</translation>
    </message>
    <message>
        <source>%1 is the audit file on display: choose another name for the export.</source>
        <translation>%1 è il file di audit visualizzato: scegliere un altro nome per l&apos;esportazione.</translation>
    </message>
    <message>
        <source>Visit</source>
        <translation>Visita</translation>
    </message>
    <message>
        <source>Lock %1 %2: one visit, %3</source>
        <translation>Serratura %1 %2: una visita, %3</translation>
    </message>
    <message>
        <source>Lock %1 %2: %3 visits, %4 to %5</source>
        <translation>Serratura %1 %2: %3 visite, dal %4 al %5</translation>
    </message>
    <message>
        <source>Locks</source>
        <translation>Serrature</translation>
    </message>
    <message>
        <source>Add to archive</source>
        <translation>Aggiungi all&apos;archivio</translation>
    </message>
    <message>
        <source>This audit is already in the archive.</source>
        <translation>Questo audit è già nell&apos;archivio.</translation>
    </message>
    <message>
        <source>The audit was not kept in the archive: %1
It is still on screen and can be saved as a file.</source>
        <translation>L&apos;audit non è stato conservato nell&apos;archivio: %1
È ancora sullo schermo e può essere salvato come file.</translation>
    </message>
    <message>
        <source>Open or download an audit to add it to the archive.</source>
        <translation>Aprire o scaricare un audit per aggiungerlo all&apos;archivio.</translation>
    </message>
    <message>
        <source>Events may be missing here</source>
        <translation>Qui potrebbero mancare degli eventi</translation>
    </message>
    <message>
        <source>Only new since last visit</source>
        <translation>Solo i nuovi dall&apos;ultima visita</translation>
    </message>
    <message>
        <source>%1
The audits are kept on this computer and sent when the archive answers again (Locks tab, &quot;Send now&quot;).</source>
        <translation>%1
Gli audit vengono conservati su questo computer e inviati quando l&apos;archivio risponde di nuovo (scheda Serrature, &quot;Invia ora&quot;).</translation>
    </message>
    <message numerus="yes">
        <source>Kept in the archive: lock %1, %n new events</source>
        <translation>
            <numerusform>Conservato nell&apos;archivio: serratura %1, %n nuovo evento</numerusform>
            <numerusform>Conservato nell&apos;archivio: serratura %1, %n nuovi eventi</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n lacuna</numerusform>
            <numerusform>, %n lacune</numerusform>
        </translation>
    </message>
    <message>
        <source>Not kept in the archive: %1. The audit is on screen and can be saved as a file.</source>
        <translation>Non conservato nell&apos;archivio: %1. L&apos;audit è sullo schermo e può essere salvato come file.</translation>
    </message>
    <message numerus="yes">
        <source>%n audits waiting to be sent</source>
        <translation>
            <numerusform>%n audit in attesa di invio</numerusform>
            <numerusform>%n audit in attesa di invio</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n audits sent to the archive</source>
        <translation>
            <numerusform>%n audit inviato all&apos;archivio</numerusform>
            <numerusform>%n audit inviati all&apos;archivio</numerusform>
        </translation>
    </message>
    <message>
        <source>Lock %1 %2: Visit %3 of %4, %5</source>
        <translation>Serratura %1 %2: visita %3 di %4, %5</translation>
    </message>
    <message numerus="yes">
        <source>%n gaps</source>
        <translation>
            <numerusform>%n lacuna</numerusform>
            <numerusform>%n lacune</numerusform>
        </translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>Stampato il %1</translation>
    </message>
    <message>
        <source>Close this notice</source>
        <translation>Chiudi questo avviso</translation>
    </message>
    <message>
        <source>Close notice</source>
        <translation>Chiudi avviso</translation>
    </message>
    <message>
        <source>The manual is not installed.</source>
        <translation>Il manuale non è installato.</translation>
    </message>
    <message>
        <source>The manual could not be opened: %1</source>
        <translation>Impossibile aprire il manuale: %1</translation>
    </message>
    <message>
        <source>Manual: %1</source>
        <translation>Manuale: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n events shown of %1</source>
        <translation>
            <numerusform>%n evento mostrato su %1</numerusform>
            <numerusform>%n eventi mostrati su %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Persona</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Rilievi</translation>
    </message>
    <message>
        <source>Nothing deserves a look.</source>
        <translation>Nulla da esaminare.</translation>
    </message>
    <message>
        <source>bus download</source>
        <translation>scaricamento dal bus</translation>
    </message>
    <message>
        <source>Dallas key</source>
        <translation>chiave Dallas</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Evidence</source>
        <translation>Prove</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Scaricato</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Imported by</source>
        <translation>Importato da</translation>
    </message>
    <message>
        <source>Imported at</source>
        <translation>Importato il</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Chain head of the archive when this report was made: %1</source>
        <translation>Testa della catena dell&apos;archivio quando è stato creato questo rapporto: %1</translation>
    </message>
    <message>
        <source>Check with: corvane-audit-cli archive verify --head %1; corvane-audit-cli archive audits %2 DIR; sha256sum -c SHA256SUMS</source>
        <translation>Verificare con: corvane-audit-cli archive verify --head %1; corvane-audit-cli archive audits %2 DIR; sha256sum -c SHA256SUMS</translation>
    </message>
    <message>
        <source>The archive&apos;s findings settings were not changed: %1</source>
        <translation>Le impostazioni dei rilievi dell&apos;archivio non sono state cambiate: %1</translation>
    </message>
    <message>
        <source>%1
The report was not written: it could not carry the lock&apos;s findings and the evidence of its audits.</source>
        <translation>%1
Il rapporto non è stato scritto: non poteva riportare i rilievi della serratura e le prove dei suoi audit.</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>the file could not be completed</source>
        <translation>il file non ha potuto essere completato</translation>
    </message>
    <message>
        <source>not a file that can be written</source>
        <translation>non è un file che si possa scrivere</translation>
    </message>
    <message>
        <source>a cell holds more than a workbook can</source>
        <translation>una cella contiene più di quanto una cartella di lavoro possa contenere</translation>
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
        <translation>Dal</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Al</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a day: write it as YYYY-MM-DD.</source>
        <translation>&apos;%1&apos; non è un giorno: scriverlo come AAAA-MM-GG.</translation>
    </message>
    <message>
        <source>User number %1 cannot be named: people hold users 1 to 59, the managers (60 to 62) and the masters (80 and 81).</source>
        <translation>Il numero utente %1 non può avere un nome: le persone occupano gli utenti da 1 a 59, i manager (da 60 a 62) e i master (80 e 81).</translation>
    </message>
    <message>
        <source>The name of the person is empty.</source>
        <translation>Il nome della persona è vuoto.</translation>
    </message>
    <message>
        <source>The name of the person is longer than 80 characters.</source>
        <translation>Il nome della persona supera gli 80 caratteri.</translation>
    </message>
    <message>
        <source>The name of the person holds a line break, a tab or another control character.</source>
        <translation>Il nome della persona contiene un a capo, una tabulazione o un altro carattere di controllo.</translation>
    </message>
    <message>
        <source>The tenure has no first day.</source>
        <translation>Il periodo non ha un primo giorno.</translation>
    </message>
    <message>
        <source>The last day, %1, is before the first, %2.</source>
        <translation>L&apos;ultimo giorno, %1, precede il primo, %2.</translation>
    </message>
    <message>
        <source>%1 is %2 since %3</source>
        <translation>%1 è %2 dal %3</translation>
    </message>
    <message>
        <source>%1 is %2 from %3 to %4</source>
        <translation>%1 è %2 dal %3 al %4</translation>
    </message>
    <message>
        <source>%1 has no tenure from %2.</source>
        <translation>%1 non ha un periodo che inizia il %2.</translation>
    </message>
    <message>
        <source>line %1: a quoted field is not closed.</source>
        <translation>riga %1: un campo tra virgolette non è chiuso.</translation>
    </message>
    <message>
        <source>line %1: text follows a closing quote.</source>
        <translation>riga %1: c&apos;è del testo dopo le virgolette di chiusura.</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>riga %1: %2</translation>
    </message>
    <message>
        <source>the first line must be the header %1.</source>
        <translation>la prima riga deve essere l&apos;intestazione %1.</translation>
    </message>
    <message>
        <source>the text is not UTF-8.</source>
        <translation>il testo non è UTF-8.</translation>
    </message>
    <message>
        <source>a row has four columns: User, Person, From, Until.</source>
        <translation>una riga ha quattro colonne: Utente, Persona, Dal, Al.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is neither a user number nor the name of a user.</source>
        <translation>&apos;%1&apos; non è né un numero utente né il nome di un utente.</translation>
    </message>
    <message>
        <source>the From day is missing.</source>
        <translation>manca il giorno Dal.</translation>
    </message>
    <message>
        <source>%1 (line %2).</source>
        <translation>%1 (riga %2).</translation>
    </message>
</context>
<context>
    <name>PeopleDialog</name>
    <message>
        <source>People of lock %1</source>
        <translation>Persone della serratura %1</translation>
    </message>
    <message>
        <source>First and last name</source>
        <translation>Nome e cognome</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Al</translation>
    </message>
    <message>
        <source>Leave unchecked while the person still holds the number</source>
        <translation>Lasciare vuoto finché la persona ha ancora il numero</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Names the person for the user from the first day on; a tenure of the user still open ends the day before</source>
        <translation>Assegna la persona all&apos;utente dal primo giorno in poi; un periodo dell&apos;utente ancora aperto termina il giorno prima</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Rimuovi</translation>
    </message>
    <message>
        <source>Removes the selected tenure</source>
        <translation>Rimuove il periodo selezionato</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utente</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Persona</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Dal</translation>
    </message>
    <message>
        <source>Not changed: %1</source>
        <translation>Nulla è cambiato: %1</translation>
    </message>
    <message>
        <source>Nobody named</source>
        <translation>Nessuno indicato</translation>
    </message>
    <message>
        <source>The latest visit shows this user installed, and nobody is named for it</source>
        <translation>L&apos;ultima visita mostra questo utente installato, e nessuno è indicato per esso</translation>
    </message>
    <message>
        <source>Installed on</source>
        <translation>Installato il</translation>
    </message>
    <message>
        <source>The days the lock&apos;s users logs give for this user&apos;s installation; choosing one sets From</source>
        <translation>I giorni di installazione di questo utente secondo i registri utenti della serratura; sceglierne uno imposta Dal</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Waiting for Dallas key...</source>
        <translation>In attesa della chiave Dallas...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>The operation failed</source>
        <translation>L&apos;operazione non è riuscita</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
</context>
<context>
    <name>QCoreApplication::Cli</name>
    <message>
        <source>%1 is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.</source>
        <translation>%1 non è né un file di audit (.kaud) né un&apos;immagine audit Dallas di 8192 byte.</translation>
    </message>
</context>
<context>
    <name>SelectLockDialog</name>
    <message>
        <source>Number of events to download:</source>
        <translation>Numero di eventi da scaricare:</translation>
    </message>
    <message>
        <source>(0 = all)</source>
        <translation>(0 = tutti)</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Impostazioni</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Formato data</translation>
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
        <translation>Formato ora</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 ore</translation>
    </message>
    <message>
        <source>12 hours</source>
        <translation>12 ore</translation>
    </message>
    <message>
        <source>Audit type</source>
        <translation>Tipo di audit</translation>
    </message>
    <message>
        <source>Full audit</source>
        <translation>Audit completo</translation>
    </message>
    <message>
        <source>Simple audit</source>
        <translation>Audit semplice</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Archivio</translation>
    </message>
    <message>
        <source>Keep every audit in the archive</source>
        <translation>Conserva ogni audit nell&apos;archivio</translation>
    </message>
    <message>
        <source>Add every download and every key read to the lock archive</source>
        <translation>Aggiunge ogni scarico e ogni lettura della chiave all&apos;archivio delle serrature</translation>
    </message>
    <message>
        <source>Findings, for every user of the archive</source>
        <translation>Rilievi, per ogni utente dell&apos;archivio</translation>
    </message>
    <message>
        <source>Reading the archive...</source>
        <translation>Lettura dell&apos;archivio...</translation>
    </message>
    <message>
        <source>Closed days</source>
        <translation>Giorni di chiusura</translation>
    </message>
    <message>
        <source>Closed day to add</source>
        <translation>Giorno di chiusura da aggiungere</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Rimuovi</translation>
    </message>
    <message>
        <source> wrong codes</source>
        <translation> codici errati</translation>
    </message>
    <message>
        <source>within </source>
        <translation>entro </translation>
    </message>
    <message>
        <source> minutes of each other</source>
        <translation> minuti l&apos;uno dall&apos;altro</translation>
    </message>
    <message>
        <source> minutes</source>
        <translation> minuti</translation>
    </message>
    <message>
        <source> days</source>
        <translation> giorni</translation>
    </message>
    <message>
        <source>Wrong code burst:</source>
        <translation>Serie di codici errati:</translation>
    </message>
    <message>
        <source>Opening after a clock setting, within:</source>
        <translation>Apertura dopo un&apos;impostazione dell&apos;orologio, entro:</translation>
    </message>
    <message>
        <source>Door held open, longer than:</source>
        <translation>Porta tenuta aperta, oltre:</translation>
    </message>
    <message>
        <source>Not visited, for more than:</source>
        <translation>Non visitata, da oltre:</translation>
    </message>
    <message>
        <source>Closed days:</source>
        <translation>Giorni di chiusura:</translation>
    </message>
</context>
<context>
    <name>TextPrinter</name>
    <message>
        <source>Print Document</source>
        <translation>Stampa documento</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>Esporta PDF</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Update</source>
        <translation>Aggiornamento</translation>
    </message>
    <message>
        <source>Downloading update...</source>
        <translation>Download dell&apos;aggiornamento in corso...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Update file has been cpoied to Downloads folder</source>
        <translation>Il file di aggiornamento è stato copiato nella cartella Download</translation>
    </message>
    <message>
        <source>Unable to download update</source>
        <translation>Impossibile scaricare l&apos;aggiornamento</translation>
    </message>
    <message>
        <source>Unable to install update</source>
        <translation>Impossibile installare l&apos;aggiornamento</translation>
    </message>
</context>
<context>
    <name>UsersLogDialog</name>
    <message>
        <source>Users log</source>
        <translation>Registro utenti</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Manager</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>Manager 02</source>
        <translation>Manager 02</translation>
    </message>
    <message>
        <source>Manager 03</source>
        <translation>Manager 03</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Master 02</source>
        <translation>Master 02</translation>
    </message>
    <message>
        <source>ERC 1 user</source>
        <translation>Utente ERC 1</translation>
    </message>
    <message>
        <source>ERC 2 user</source>
        <translation>Utente ERC 2</translation>
    </message>
    <message>
        <source>User %1</source>
        <translation>Utente %1</translation>
    </message>
    <message>
        <source>No log</source>
        <translation>Nessun registro</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utente</translation>
    </message>
    <message>
        <source>Insatlled by</source>
        <translation>Installato da</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Data</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>Option %1 needs a value.</source>
        <translation>L&apos;opzione %1 richiede un valore.</translation>
    </message>
    <message>
        <source>Unable to write to standard output.</source>
        <translation>Impossibile scrivere sullo standard output.</translation>
    </message>
    <message>
        <source>Unable to write %1: %2</source>
        <translation>Impossibile scrivere %1: %2</translation>
    </message>
    <message>
        <source>No command given.</source>
        <translation>Nessun comando specificato.</translation>
    </message>
    <message>
        <source>Unknown command: %1</source>
        <translation>Comando sconosciuto: %1</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Opzione sconosciuta: %1</translation>
    </message>
    <message>
        <source>Wrong number of arguments.</source>
        <translation>Numero di argomenti errato.</translation>
    </message>
    <message>
        <source>Unable to read %1: %2</source>
        <translation>Impossibile leggere %1: %2</translation>
    </message>
    <message>
        <source>%1 is neither an audit file (.kaud) nor a Dallas audit image of 8192 bytes.</source>
        <translation>%1 non è né un file di audit (.kaud) né un&apos;immagine audit Dallas di 8192 byte.</translation>
    </message>
    <message>
        <source>Unknown value for %1: %2 (use %3).</source>
        <translation>Valore sconosciuto per %1: %2 (usare %3).</translation>
    </message>
    <message>
        <source>Unsupported output: %1</source>
        <translation>Uscita non supportata: %1</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Interrotto.</translation>
    </message>
    <message>
        <source>Without --port the first USB interface is used; --port simulated uses a simulated lock in memory.
</source>
        <translation>Senza --port si usa la prima interfaccia USB; --port simulated usa una serratura simulata in memoria.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli ports
Lists the USB interfaces found, and those named in CORVANE_AUDIT_PORTS.
</source>
        <translation>Uso: corvane-audit-cli ports
Elenca le interfacce USB trovate e quelle indicate in CORVANE_AUDIT_PORTS.
</translation>
    </message>
    <message>
        <source>write-key deletes what the key holds: confirm on a terminal, or pass --yes.</source>
        <translation>write-key cancella il contenuto della chiave: confermare sul terminale o passare --yes.</translation>
    </message>
    <message>
        <source>Unsupported output: %1 (use a .csv, .xlsx or .pdf file, or -).</source>
        <translation>Output non supportato: %1 (usare un file .csv, .xlsx o .pdf, oppure -).</translation>
    </message>
    <message>
        <source>Only CSV goes to standard output.</source>
        <translation>Sullo standard output va solo il formato CSV.</translation>
    </message>
    <message>
        <source>start occurrence</source>
        <translation>occorrenza iniziale</translation>
    </message>
    <message>
        <source>start weekday</source>
        <translation>giorno iniziale</translation>
    </message>
    <message>
        <source>start month</source>
        <translation>mese iniziale</translation>
    </message>
    <message>
        <source>end occurrence</source>
        <translation>occorrenza finale</translation>
    </message>
    <message>
        <source>end weekday</source>
        <translation>giorno finale</translation>
    </message>
    <message>
        <source>end month</source>
        <translation>mese finale</translation>
    </message>
    <message>
        <source>--dst takes eight comma-separated fields, N,W,M,N,W,M,add|subtract,H: %1</source>
        <translation>--dst richiede otto campi separati da virgole, N,W,M,N,W,M,add|subtract,H: %1</translation>
    </message>
    <message>
        <source>Bad %1 in --dst: %2 (use %3..%4).</source>
        <translation>Valore non valido per %1 in --dst: %2 (usare %3..%4).</translation>
    </message>
    <message>
        <source>Bad direction in --dst: %1 (use add or subtract).</source>
        <translation>Direzione non valida in --dst: %1 (usare add o subtract).</translation>
    </message>
    <message>
        <source>Bad hours in --dst: %1 (use 0, 0.5, 1, 1.5 or 2).</source>
        <translation>Ore non valide in --dst: %1 (usare 0, 0.5, 1, 1.5 o 2).</translation>
    </message>
    <message>
        <source>The PDF report needs a graphical application object.</source>
        <translation>Il report PDF richiede un oggetto applicazione grafica.</translation>
    </message>
    <message>
        <source>Unable to write to standard output: %1</source>
        <translation>Impossibile scrivere sullo standard output: %1</translation>
    </message>
    <message>
        <source>%1 is the input itself: choose another output.</source>
        <translation>%1 è l&apos;ingresso stesso: scegliere un&apos;altra uscita.</translation>
    </message>
    <message>
        <source>%1 is not valid text in this system&apos;s encoding (%2): it cannot be used.</source>
        <translation>%1 non è un testo valido nella codifica di questo sistema (%2): non può essere usato.</translation>
    </message>
    <message>
        <source>  --dst N,W,M,N,W,M,add|subtract,H   a daylight-saving correction first, e.g.
                      5,0,3,5,0,10,add,1 (see corvane-audit-cli --help)
  --date-format dmy|mdy, --hour-format 24|12, --audit full|simple,
  --language en|it|es   how dates and events are written (default dmy, 24,
                      simple, en)
</source>
        <translation>  --dst N,W,M,N,W,M,add|subtract,H   prima una correzione per l&apos;ora legale, ad es.
                      5,0,3,5,0,10,add,1 (vedere corvane-audit-cli --help)
  --date-format dmy|mdy, --hour-format 24|12, --audit full|simple,
  --language en|it|es   come sono scritti date ed eventi (predefiniti dmy, 24,
                      simple, en)
</translation>
    </message>
    <message>
        <source>OUTPUT is replaced only by a complete file; it may not be INPUT itself, a folder
or a read-only file.
</source>
        <translation>OUTPUT è sostituito solo da un file completo; non può essere INPUT stesso, una cartella
o un file di sola lettura.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli show INPUT [options]
Prints the whole audit in INPUT: identity, configuration, users and events.
</source>
        <translation>Uso: corvane-audit-cli show INPUT [opzioni]
Stampa l&apos;intero audit di INPUT: identità, configurazione, utenti ed eventi.
</translation>
    </message>
    <message>
        <source>Try &apos;corvane-audit-cli %1 --help&apos;.</source>
        <translation>Vedere &apos;corvane-audit-cli %1 --help&apos;.</translation>
    </message>
    <message>
        <source>Try &apos;corvane-audit-cli --help&apos;.</source>
        <translation>Vedere &apos;corvane-audit-cli --help&apos;.</translation>
    </message>
    <message>
        <source>a number of seconds up to %1</source>
        <translation>un numero di secondi fino a %1</translation>
    </message>
    <message>
        <source>--capture records what is said on a serial port; --port simulated has none.</source>
        <translation>--capture registra ciò che passa su una porta seriale; --port simulated non ne ha.</translation>
    </message>
    <message>
        <source>--capture FILE writes what is said to the lock and what it answers into FILE, to send to
Corvane when a lock misbehaves.
</source>
        <translation>--capture FILE scrive in FILE ciò che viene detto alla serratura e ciò che risponde, da inviare
a Corvane quando una serratura si comporta in modo anomalo.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli write-key [--port PATH] [--wait SECONDS] [--yes] [--capture FILE]
Prepares the Dallas key on the reader with an audit request, deleting what it holds.
Asks for confirmation on a terminal unless --yes. --wait bounds the wait for a key
(default 60).
</source>
        <translation>Uso: corvane-audit-cli write-key [--port PERCORSO] [--wait SECONDI] [--yes] [--capture FILE]
Prepara la chiave Dallas sul lettore con una richiesta di audit, cancellando ciò che contiene.
Chiede conferma sul terminale salvo --yes. --wait limita l&apos;attesa della chiave
(predefinito 60).
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli users-log [--port PATH] [--date-format dmy|mdy] [--hour-format 24|12]
                          [--language en|it|es] [--capture FILE] OUTPUT.csv|-
Downloads the lock&apos;s users log and writes its 64 rows as comma-separated values.
</source>
        <translation>Uso: corvane-audit-cli users-log [--port PERCORSO] [--date-format dmy|mdy] [--hour-format 24|12]
                          [--language en|it|es] [--capture FILE] USCITA.csv|-
Scarica il registro utenti della serratura e ne scrive le 64 righe come valori separati da virgole.
</translation>
    </message>
    <message>
        <source>  --archive PATH   the archive: a SQLite file or a postgresql:// URL (default: the
                   environment&apos;s CORVANE_AUDIT_ARCHIVE, then ArchiveUrl in
                   Settings.ini, then archive.sqlite in the user&apos;s data folder)
</source>
        <translation>  --archive PERCORSO  l&apos;archivio: un file SQLite o un URL postgresql:// (predefinito:
                   CORVANE_AUDIT_ARCHIVE dell&apos;ambiente, poi ArchiveUrl in
                   Settings.ini, poi archive.sqlite nella cartella dati dell&apos;utente)
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive locks [--archive PATH] [--date-format dmy|mdy]
                          [--hour-format 24|12] [--language en|it|es] OUTPUT.csv|-
Lists the archived locks by serial number: visits, events, gaps, the first and
last event and the last visit.
</source>
        <translation>Uso: corvane-audit-cli archive locks [--archive PERCORSO] [--date-format dmy|mdy]
                          [--hour-format 24|12] [--language en|it|es] USCITA.csv|-
Elenca le serrature archiviate per numero di serie: visite, eventi, lacune, il primo e
l&apos;ultimo evento e l&apos;ultima visita.
</translation>
    </message>
    <message>
        <source>No archive command given.</source>
        <translation>Nessun comando di archivio indicato.</translation>
    </message>
    <message>
        <source>Unknown archive command: %1</source>
        <translation>Comando di archivio sconosciuto: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: already in the archive</source>
        <translation>%1: già nell&apos;archivio</translation>
    </message>
    <message>
        <source>Not kept in the archive: %1</source>
        <translation>Non conservato nell&apos;archivio: %1</translation>
    </message>
    <message>
        <source>%1 is the archive itself: choose another output.</source>
        <translation>%1 è l&apos;archivio stesso: scegliere un&apos;altra uscita.</translation>
    </message>
    <message>
        <source>--archive and --no-archive exclude each other.</source>
        <translation>--archive e --no-archive si escludono a vicenda.</translation>
    </message>
    <message>
        <source>The audit is also added to the archive (--archive PATH names it, see &apos;archive --help&apos;;
--no-archive leaves it out); the output is written all the same.
</source>
        <translation>L&apos;audit viene anche aggiunto all&apos;archivio (--archive PERCORSO lo indica, vedere &apos;archive --help&apos;;
--no-archive lo esclude); l&apos;uscita viene scritta comunque.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli read-key [--port PATH] [--wait SECONDS] [--capture FILE]
                          [--archive PATH|--no-archive] OUTPUT
Reads the Dallas audit key on the reader into OUTPUT: an audit file (.kaud) or the
raw 8192-byte image (.bin). --wait bounds the wait for a key (default 60).
</source>
        <translation>Uso: corvane-audit-cli read-key [--port PERCORSO] [--wait SECONDI] [--capture FILE]
                          [--archive PERCORSO|--no-archive] USCITA
Legge la chiave audit Dallas sul lettore in USCITA: un file di audit (.kaud) o
l&apos;immagine grezza di 8192 byte (.bin). --wait limita l&apos;attesa della chiave (predefinito 60).
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
        <translation>Uso: corvane-audit-cli archive search [--archive PERCORSO] [--lock SERIALE]... [--from DATA]
                          [--to DATA] [--event CODICE]... [--user N] [--date-format dmy|mdy]
                          [--hour-format 24|12] [--language en|it|es] USCITA.csv|-
Scrive gli eventi corrispondenti di ogni serratura archiviata, dal più recente: Numero di serie,
Nome serratura, le colonne degli eventi di export e Visita. DATA è AAAA-MM-GG (--to
include il suo giorno); CODICE è un ID evento; --lock e --event si possono ripetere.
</translation>
    </message>
    <message>
        <source>--new stops at what the archive holds: not with --no-archive.</source>
        <translation>--new si ferma a ciò che l&apos;archivio conserva: non con --no-archive.</translation>
    </message>
    <message>
        <source>The archive does not tell where to stop: %1</source>
        <translation>L&apos;archivio non dice dove fermarsi: %1</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive import [--archive PATH] FILE...
Adds audit files (.kaud) and raw Dallas audit images to the archive, each joined
into its lock&apos;s history. One line a file: SERIAL: N new events, G gaps; or that it
is already there; or that it waits on this computer, when the archive cannot be
reached (archive sync sends it); or why it was refused. Exit status 1 if any was
refused, else 3 if any waits or could not be kept.
</source>
        <translation>Uso: corvane-audit-cli archive import [--archive PERCORSO] FILE...
Aggiunge file di audit (.kaud) e immagini grezze di chiavi Dallas all&apos;archivio, ognuno
unito alla cronologia della sua serratura. Una riga per file: SERIALE: N nuovi eventi,
L lacune; oppure che c&apos;è già; oppure che attende su questo computer, quando
l&apos;archivio non è raggiungibile (archive sync lo invia); oppure perché è stato rifiutato.
Stato di uscita 1 se uno è stato rifiutato, altrimenti 3 se uno attende o non è stato conservato.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive sync [--archive URL]
Sends every audit waiting on this computer (because an archive could not be
reached or stayed busy) to the archive in use now, saying where each was meant to
go when that was elsewhere. Exit status 3 if some still wait.
</source>
        <translation>Uso: corvane-audit-cli archive sync [--archive URL]
Invia ogni audit in attesa su questo computer (perché un archivio non era
raggiungibile o era occupato) all&apos;archivio in uso ora, dicendo a quale era destinato
quando era un altro. Stato di uscita 3 se qualcuno attende ancora.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive queue [OUTPUT.csv|-]
Lists the audits waiting on this computer: File, Lock, Downloaded, Meant for.
</source>
        <translation>Uso: corvane-audit-cli archive queue [USCITA.csv|-]
Elenca gli audit in attesa su questo computer: File, Serratura, Scaricato, Destinato a.
</translation>
    </message>
    <message>
        <source>--from is after --to: nothing lies between them.</source>
        <translation>--from è dopo --to: tra i due non c&apos;è nulla.</translation>
    </message>
    <message>
        <source>%1 is not valid text in this system&apos;s encoding: it cannot be used.</source>
        <translation>%1 non è testo valido nella codifica di questo sistema: non può essere usato.</translation>
    </message>
    <message numerus="yes">
        <source>%n audits sent</source>
        <translation>
            <numerusform>%n audit inviato</numerusform>
            <numerusform>%n audit inviati</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n still waiting.</source>
        <translation>
            <numerusform>; %n ancora in attesa.</numerusform>
            <numerusform>; %n ancora in attesa.</numerusform>
        </translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Serratura</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Scaricato</translation>
    </message>
    <message>
        <source>Meant for</source>
        <translation>Destinato a</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n new events</source>
        <translation>
            <numerusform>%1: %n nuovo evento</numerusform>
            <numerusform>%1: %n nuovi eventi</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n lacuna</numerusform>
            <numerusform>, %n lacune</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: not kept: %2</source>
        <translation>%1: non conservato: %2</translation>
    </message>
    <message>
        <source>Saved, and waiting on this computer for the archive: %1
&apos;corvane-audit-cli archive sync&apos; sends it.</source>
        <translation>Salvato, e in attesa su questo computer per l&apos;archivio: %1
&apos;corvane-audit-cli archive sync&apos; lo invia.</translation>
    </message>
    <message>
        <source>Saved, not kept in the archive: %1</source>
        <translation>Salvato, non conservato nell&apos;archivio: %1</translation>
    </message>
    <message>
        <source>%1: waits on this computer (%2); &apos;corvane-audit-cli archive sync&apos; sends it</source>
        <translation>%1: attende su questo computer (%2); &apos;corvane-audit-cli archive sync&apos; lo invia</translation>
    </message>
    <message>
        <source>%1 and %2 exclude each other.</source>
        <translation>%1 e %2 si escludono a vicenda.</translation>
    </message>
    <message>
        <source>--from goes only with --set and --remove.</source>
        <translation>--from va solo con --set e --remove.</translation>
    </message>
    <message>
        <source>--until goes only with --set.</source>
        <translation>--until va solo con --set.</translation>
    </message>
    <message>
        <source>%1 needs --from DAY.</source>
        <translation>%1 richiede --from GIORNO.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a user number.</source>
        <translation>&apos;%1&apos; non è un numero utente.</translation>
    </message>
    <message>
        <source>%1 has no tenures.</source>
        <translation>%1 non ha periodi.</translation>
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
        <translation>Uso: corvane-audit-cli archive people SERIALE [--archive PERCORSO] [--language en|it|es] USCITA.csv|-
     corvane-audit-cli archive people SERIALE [--archive PERCORSO] --set UTENTE PERSONA --from GIORNO
                              [--until GIORNO]
     corvane-audit-cli archive people SERIALE [--archive PERCORSO] --remove UTENTE --from GIORNO
     corvane-audit-cli archive people SERIALE [--archive PERCORSO] --import FILE.csv
Le persone che hanno occupato i numeri utente della serratura, e quando. L&apos;elenco ha le
colonne Utente, Persona, Dal e Al, per numero utente; un utente che l&apos;ultima visita
mostra installato e a cui nessuno è assegnato ha una riga con Persona, Dal e Al vuoti.
  --set UTENTE PERSONA   assegna PERSONA al numero utente UTENTE dal GIORNO, fino al
                   GIORNO (compreso) o finché dura; un periodo di UTENTE ancora aperto
                   finisce il giorno prima: il numero è passato di mano
  --remove UTENTE    toglie il periodo di UTENTE che inizia il GIORNO
  --import FILE.csv  sostituisce i periodi della serratura con un elenco compilato
                   (Utente come numero o come nome elencato, in qualsiasi lingua; le
                   righe senza Persona sono saltate); una riga errata rifiuta il file intero
GIORNO è AAAA-MM-GG. Un nome ha al massimo 80 caratteri.
</translation>
    </message>
    <message>
        <source>%1 is larger than any listing of people (1 MiB): it is not read.</source>
        <translation>%1 è più grande di qualsiasi elenco di persone (1 MiB): non viene letto.</translation>
    </message>
    <message numerus="yes">
        <source>%n tenures kept for lock %1.</source>
        <translation>
            <numerusform>%n periodo conservato per la serratura %1.</numerusform>
            <numerusform>%n periodi conservati per la serratura %1.</numerusform>
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
        <translation>Uso: corvane-audit-cli download [--port PERCORSO] [--events N] [--new] [--wait SECONDI]
                          [--capture FILE] [--archive PERCORSO|--no-archive] USCITA.kaud
Scarica l&apos;audit della serratura tramite la tastiera (in modalità di scarico, funzione 7) in un
file di audit. --events N legge gli N eventi più recenti (predefinito 0: tutti, fino a 5600);
--wait limita l&apos;attesa della tastiera (predefinito 60). --new si ferma appena raggiunge
gli eventi che l&apos;archivio conserva dall&apos;ultima visita. Un download che si ferma prima,
dopo l&apos;arrivo di eventi (un errore, Ctrl-C), li salva e li conserva, segnati come parziali,
e termina con 4.
</translation>
    </message>
    <message>
        <source>64 hex digits</source>
        <translation>64 cifre esadecimali</translation>
    </message>
    <message>
        <source>The chain reaches %1 at the import of %2.</source>
        <translation>La catena raggiunge %1 all&apos;importazione del %2.</translation>
    </message>
    <message>
        <source>Archive sound: %1, %2, chain head %3</source>
        <translation>Archivio integro: %1, %2, testa della catena %3</translation>
    </message>
    <message numerus="yes">
        <source>%n audits</source>
        <translation>
            <numerusform>%n audit</numerusform>
            <numerusform>%n audit</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n locks</source>
        <translation>
            <numerusform>%n serratura</numerusform>
            <numerusform>%n serrature</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2 no longer matches the SHA-256 recorded at its import.</source>
        <translation>%1: %2 non corrisponde più allo SHA-256 registrato alla sua importazione.</translation>
    </message>
    <message numerus="yes">
        <source>%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.</source>
        <translation>
            <numerusform>%n audit della serratura %1 scritto in %2, con la sua somma SHA-256 in SHA256SUMS.</numerusform>
            <numerusform>%n audit della serratura %1 scritti in %2, con le loro somme SHA-256 in SHA256SUMS.</numerusform>
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
        <translation>Uso: corvane-audit-cli archive verify [--archive PERCORSO] [--head HEX]
Controlla tutto ciò che l&apos;archivio conserva, solo leggendo: i byte di ogni audit
rispetto al loro SHA-256 e che si decodifichino ancora; la catena delle importazioni
anello per anello; e la cronologia e gli eventi cercabili di ogni serratura rispetto
a ciò che dà unire di nuovo i suoi audit. Una riga per difetto e stato di uscita 1;
altrimenti l&apos;ultima riga è &apos;Archivio integro: N audit, L serrature, testa della
catena HEX&apos;.
  --head HEX       una testa della catena citata da un report: la catena deve
                   raggiungerla ancora
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive audits SERIAL [--archive PATH] DIR
Writes every kept audit of the lock exactly as it was imported, one file per
audit named VISIT-YYYYMMDD-HHMMSS.kaud (its visit and download date-time), and
SHA256SUMS, which &apos;sha256sum -c SHA256SUMS&apos; checks in DIR. DIR is made if missing.
</source>
        <translation>Uso: corvane-audit-cli archive audits SERIALE [--archive PERCORSO] CARTELLA
Scrive ogni audit conservato della serratura esattamente come fu importato, un file
per audit chiamato VISITA-AAAAMMGG-HHMMSS.kaud (la sua visita e la data e ora dello
scaricamento), e SHA256SUMS, che &apos;sha256sum -c SHA256SUMS&apos; controlla nella CARTELLA.
La CARTELLA viene creata se manca.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive import|locks|history|verify|audits|search|sync|queue|people|
                         findings|hours|closed|findings-settings [--archive PATH] ...
The archive keeps every audit by lock and joins them into each lock&apos;s history.
corvane-audit-cli archive COMMAND --help tells more of a command.
</source>
        <translation>Uso: corvane-audit-cli archive import|locks|history|verify|audits|search|sync|queue|people|
                       findings|hours|closed|findings-settings [--archive PERCORSO] ...
L&apos;archivio conserva ogni audit per serratura e li unisce nella cronologia di ciascuna.
corvane-audit-cli archive COMANDO --help dice di più su un comando.
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
  corvane-audit-cli show INPUT [--dst ...] [opzioni di visualizzazione come sopra]
  corvane-audit-cli ports
  corvane-audit-cli read-key [--port PATH] [--wait SECONDS] [--capture FILE]
                    [--archive PATH|--no-archive] OUTPUT.kaud|OUTPUT.bin
  corvane-audit-cli write-key [--port PATH] [--wait SECONDS] [--yes] [--capture FILE]
  corvane-audit-cli download [--port PATH] [--events N] [--new] [--wait SECONDS]
                    [--capture FILE] [--archive PATH|--no-archive] OUTPUT.kaud
  corvane-audit-cli users-log [--port PATH] [--date-format dmy|mdy] [--hour-format 24|12]
                    [--language en|it|es] [--capture FILE] OUTPUT.csv|-
  corvane-audit-cli archive import [--archive PATH] FILE...
  corvane-audit-cli archive locks [--archive PATH] [opzioni di visualizzazione] OUTPUT.csv|-
  corvane-audit-cli archive history SERIAL [--archive PATH] [--new] [opzioni di export] OUTPUT
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
                    [--from DATE] [--to DATE] [--at DATE] [opzioni di visualizzazione] OUTPUT.csv|-
  corvane-audit-cli archive hours [--archive PATH] [SERIAL|--default] [TEXT]
  corvane-audit-cli archive closed [--archive PATH] add|remove DATE...|-
  corvane-audit-cli archive findings-settings [--archive PATH] [--wrong-codes N/MINUTES]
                    [--clock-minutes M] [--door-minutes M] [--visit-days D]
  corvane-audit-cli --version

INPUT è un file di audit (.kaud) o un&apos;immagine audit Dallas grezza di 8192 byte.
OUTPUT è un file .csv, .xlsx o .pdf (--format prevale sull&apos;estensione),
oppure - per il CSV sullo standard output. --table sceglie la tabella del CSV;
la cartella di lavoro e il report PDF contengono le prime tre. I rilievi di un
singolo audit sono valutati con gli orari e le soglie predefiniti; quelli delle
serrature dell&apos;archivio con quelli dell&apos;archivio.
--dst applica una correzione per l&apos;ora legale dal N-esimo giorno W del mese M
al N-esimo giorno W del mese M (N 1..5, 5 = ultimo; W 0 = domenica .. 6 = sabato;
M 1..12), aggiungendo o sottraendo H ore (0, 0.5, 1, 1.5 o 2).
Esempio: --dst 5,0,3,5,0,10,add,1
Stato di uscita: 0 fatto, 1 ingresso rifiutato o uscita non scritta, 2 errore d&apos;uso, 130 interrotto.
COMANDO --help spiega di più su un comando.
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
        <translation>Uso: corvane-audit-cli export INPUT OUTPUT [opzioni]
Scrive l&apos;audit di INPUT (un file di audit o un&apos;immagine audit Dallas grezza) in OUTPUT:
valori separati da virgole (.csv, o - per lo standard output), una cartella di lavoro Excel
(.xlsx) o un report PDF (.pdf).
  --format csv|xlsx|pdf   il formato, qualunque sia l&apos;estensione di OUTPUT
  --table events|users|configuration|findings   la tabella di un CSV (predefinita
                   events); i rilievi sono valutati con gli orari di apertura
                   predefiniti (Mon-Fri 07:00-20:00) e le soglie predefinite
</translation>
    </message>
    <message>
        <source>A lock&apos;s history has its findings written by &apos;corvane-audit-cli archive findings --lock SERIAL&apos;.</source>
        <translation>I rilievi della cronologia di una serratura si scrivono con &apos;corvane-audit-cli archive findings --lock SERIAL&apos;.</translation>
    </message>
    <message>
        <source>%1 is not a date: a date is written YYYY-MM-DD.</source>
        <translation>%1 non è una data: una data si scrive AAAA-MM-GG (YYYY-MM-DD).</translation>
    </message>
    <message>
        <source>The default hours cannot go back to themselves: give them as in &quot;Mon-Fri 07:00-20:00&quot;.</source>
        <translation>Gli orari predefiniti non possono tornare a se stessi: indicarli come in &quot;Mon-Fri 07:00-20:00&quot;.</translation>
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
        <translation>Uso: corvane-audit-cli archive findings [--archive PERCORSO] [--lock SERIAL]... [--kind KEY]...
                          [--from DATE] [--to DATE] [--at DATE] [--dst RULE]
                          [--date-format dmy|mdy] [--hour-format 24|12] [--language en|it|es]
                          OUTPUT.csv|-
Scrive ciò che merita un&apos;occhiata nelle cronologie delle serrature archiviate, valutato
con gli orari di apertura, i giorni di chiusura e le soglie dell&apos;archivio: Numero di
serie, Nome serratura, Rilievo, Data, Fino a, Utente, Persona, Eventi, Visita; le
serrature per numero di serie, i rilievi di ciascuna dal più recente. Se non si trova
nulla, c&apos;è solo l&apos;intestazione.
  --lock SERIAL    solo questa serratura (numero di serie o nome esatto); ripetibile
  --kind KEY       solo questi rilievi; ripetibile. KEY è uno tra
                   %1
  --from, --to DATE   solo i rilievi la cui Data cade in questi giorni o tra di essi
                   (YYYY-MM-DD)
  --at DATE        il giorno a cui si valuta Non visitata, qualunque cosa dicano
                   --from e --to (predefinito oggi)
  --dst, --date-format, --hour-format, --language   come per export
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
        <translation>Uso: corvane-audit-cli archive hours [--archive PERCORSO] [SERIAL|--default] [TEXT]
Stampa o imposta gli orari di apertura con cui si valutano le aperture. Senza TEXT
stampa righe SERIAL,ORARI: il predefinito per tutte le serrature come *, poi ogni
serratura con orari propri; oppure solo la serratura (numero di serie o nome esatto),
o con --default solo il predefinito. Con TEXT imposta gli orari propri della
serratura, o con --default il predefinito; TEXT default riporta una serratura al
predefinito.
TEXT si scrive come in &quot;Mon-Fri 07:00-20:00; Sat 08:00-12:00&quot;: i giorni da Mon a Sun,
uno o un intervallo, poi le fasce separate da virgole, &quot;;&quot; tra i gruppi; un giorno
non nominato è chiuso, e closed da solo è una serratura da non aprire mai.
</translation>
    </message>
    <message>
        <source>Usage: corvane-audit-cli archive closed [--archive PATH] add|remove DATE...
       corvane-audit-cli archive closed [--archive PATH] -
Adds or removes closed days (holidays, as YYYY-MM-DD) for all locks: an opening on
one is an opening outside hours. - prints them, one a line. When a day to remove is
not a closed day, none is removed.
</source>
        <translation>Uso: corvane-audit-cli archive closed [--archive PERCORSO] add|remove DATE...
     corvane-audit-cli archive closed [--archive PERCORSO] -
Aggiunge o toglie giorni di chiusura (festività, come YYYY-MM-DD) per tutte le
serrature: un&apos;apertura in uno di essi è un&apos;apertura fuori orario. - li stampa, uno
per riga. Se un giorno da togliere non è un giorno di chiusura, non se ne toglie
nessuno.
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
        <translation>Uso: corvane-audit-cli archive findings-settings [--archive PERCORSO] [--wrong-codes N/MINUTES]
                          [--clock-minutes M] [--door-minutes M] [--visit-days D]
Stampa le soglie dei rilievi come righe NOME,VALORE, dopo aver impostato quelle date.
  --wrong-codes N/MINUTES   una raffica di codici errati è di N tentativi o più,
                            ciascuno entro MINUTES dal precedente (predefinito 5/10)
  --clock-minutes M         un&apos;apertura entro M minuti da un&apos;impostazione
                            dell&apos;orologio (60)
  --door-minutes M          una porta tenuta aperta più di M minuti (30)
  --visit-days D            una serratura che nessuno ha visitato da più di D giorni (180)
Un ruolo che può solo leggere l&apos;archivio le stampa ma non può impostarle.
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
        <translation>Uso: corvane-audit-cli archive history SERIALE [--archive PERCORSO] [--new] [opzioni] USCITA
Scrive l&apos;intera cronologia della serratura come export scrive un audit (un audit completo salvo
--audit simple), il CSV con una colonna in più, Visita. USCITA è un file .csv, .xlsx o
.pdf, oppure - per il CSV sullo standard output. Il .xlsx e il .pdf si aprono sui
rilievi della serratura (come li elenca archive findings --lock) e finiscono con le prove
dei suoi audit: lo SHA-256 di ogni visita e la testa della catena dell&apos;archivio.
  --new            solo gli eventi dell&apos;ultima visita
  --format, --table, --dst, --date-format, --hour-format, --audit, --language
                   come per export
</translation>
    </message>
    <message>
        <source>OUTPUT may also be a workbook (.xlsx) or a PDF report (.pdf): the findings by lock,
each lock&apos;s under a row that counts them by kind.
</source>
        <translation>OUTPUT può anche essere una cartella di lavoro (.xlsx) o un rapporto PDF (.pdf): i rilievi
per serratura, quelli di ciascuna sotto una riga che li conta per tipo.
</translation>
    </message>
    <message>
        <source>--archive PATH also keeps the log with its lock in that archive, which must hold the lock&apos;s
audits: its installation days are then offered as the From of a new tenure.
</source>
        <translation>--archive PERCORSO conserva anche il registro con la sua serratura in quell&apos;archivio, che deve contenere
gli audit della serratura: i suoi giorni di installazione sono poi proposti come inizio di un nuovo periodo.
</translation>
    </message>
</context>
</TS>
