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
        <source>Daylight saving time</source>
        <translation>Ora legale</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Inizio</translation>
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
        <source>An update is available. Do you want to download and install it?</source>
        <translation>È disponibile un aggiornamento. Scaricarlo e installarlo?</translation>
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
  corvane-audit-cli show INPUT [opzioni di visualizzazione come sopra]

INPUT è un file di audit (.kaud) o un&apos;immagine audit Dallas grezza di 8192 byte.
OUTPUT è un file .csv, oppure - per lo standard output.
</translation>
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
        <source>Unsupported output: %1 (use a .csv file or -).</source>
        <translation>Output non supportato: %1 (usare un file .csv oppure -).</translation>
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
</context>
</TS>
