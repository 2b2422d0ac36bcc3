<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nb_NO" sourcelanguage="en_US">
<context>
    <name>CAutoPresetWidget</name>
    <message>
        <source>CAutoPresetWidget</source>
        <translation>CAutoPresetWidget</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Slutt</translation>
    </message>
    <message>
        <source>Interval(sec)</source>
        <translation>Intervall(s)</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Forvalg %1</translation>
    </message>
</context>
<context>
    <name>CBackupWidget</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Slutt</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Please connect a DVR first.</source>
        <translation>Koble til en DVR først.</translation>
    </message>
    <message>
        <source>Please select a channel.</source>
        <translation>Velg en kanal.</translation>
    </message>
    <message>
        <source>The end time is before the start time.</source>
        <translation>Sluttidspunktet er før starttidspunktet.</translation>
    </message>
</context>
<context>
    <name>CCameraWidget</name>
    <message>
        <source>DVR Name : %1
</source>
        <translation>DVR-navn : %1
</translation>
    </message>
    <message>
        <source>Address : %1
</source>
        <translation>Adresse : %1
</translation>
    </message>
    <message>
        <source>Port : %1
</source>
        <translation>Port : %1
</translation>
    </message>
    <message>
        <source>User : %1
</source>
        <translation>Bruker : %1
</translation>
    </message>
    <message>
        <source>Camera : %1
</source>
        <translation>Kamera : %1
</translation>
    </message>
    <message>
        <source>Please check the position of the camera.</source>
        <translation>Kontroller plasseringen av kameraet.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Slett</translation>
    </message>
</context>
<context>
    <name>CChannelWidget</name>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
</context>
<context>
    <name>CConnectDVR</name>
    <message>
        <source>The recording of &quot;%1&quot; ended before you stopped it. The files written so far are in &quot;%2&quot;.</source>
        <translation>Opptaket av &quot;%1&quot; stoppet før du stoppet det. Filene som er skrevet så langt, ligger i &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>CDVRInfoWidget</name>
    <message>
        <source>Information</source>
        <translation>Informasjon</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR-informasjon</translation>
    </message>
    <message>
        <source>Reading the DVR information...</source>
        <translation>Leser DVR-informasjon...</translation>
    </message>
    <message>
        <source>No information was received from the DVR.</source>
        <translation>Ingen informasjon ble mottatt fra DVR-en.</translation>
    </message>
    <message>
        <source>%1 ( %2:%3 )</source>
        <translation>%1 ( %2:%3 )</translation>
    </message>
</context>
<context>
    <name>CDVRListTree</name>
    <message>
        <source>Camera %1</source>
        <translation>Kamera %1</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Legg til gruppe</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>Gruppenavn</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Rediger gruppe</translation>
    </message>
    <message>
        <source>Do you want to delete the group &quot;%1&quot; and its DVRs?</source>
        <translation>Vil du slette gruppen «%1» og DVR-ene i den?</translation>
    </message>
    <message>
        <source>Do you want to delete the DVR &quot;%1&quot;?</source>
        <translation>Vil du slette DVR-en «%1»?</translation>
    </message>
    <message>
        <source>The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>DVR-listefilen var skadet. Lest fra den: %1 grupper og %2 DVR-er. Den skadede filen er tatt vare på som &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>The DVR list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>DVR-listefilen &quot;%1&quot; kunne ikke leses (%2). Standardlisten vises i stedet; ingenting ble overskrevet.</translation>
    </message>
    <message>
        <source>The DVR list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>DVR-listefilen som ikke kunne leses ved oppstart, er tatt vare på som &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The DVR list could not be saved (%1).</source>
        <translation>DVR-listen kunne ikke lagres (%1).</translation>
    </message>
    <message>
        <source>The DVR list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>DVR-listefilen ble endret et annet sted etter at dette programmet sist leste eller lagret den. Den versjonen er tatt vare på som &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>CEMapList</name>
    <message>
        <source>Modify group name</source>
        <translation>Endre gruppenavn</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Gruppenavn:</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map group?</source>
        <translation>Vil du slette den valgte kartgruppen?</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map?</source>
        <translation>Vil du slette det valgte kartet?</translation>
    </message>
    <message>
        <source>The e-map list file was damaged. Read from it: %1 groups and %2 maps. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>E-kartlistefilen var skadet. Lest fra den: %1 grupper og %2 kart. Den skadede filen er tatt vare på som &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>The e-map list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>E-kartlistefilen &quot;%1&quot; kunne ikke leses (%2). Standardlisten vises i stedet; ingenting ble overskrevet.</translation>
    </message>
    <message>
        <source>The e-map list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>E-kartlistefilen som ikke kunne leses ved oppstart, er tatt vare på som &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The e-map list could not be saved (%1).</source>
        <translation>E-kartlisten kunne ikke lagres (%1).</translation>
    </message>
    <message>
        <source>The e-map list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>E-kartlistefilen ble endret et annet sted etter at dette programmet sist leste eller lagret den. Den versjonen er tatt vare på som &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>CEMapMenu</name>
    <message>
        <source>Add EMap</source>
        <translation>Legg til E-kart</translation>
    </message>
    <message>
        <source>Edit EMap</source>
        <translation>Rediger E-kart</translation>
    </message>
    <message>
        <source>Delete EMap</source>
        <translation>Slett E-kart</translation>
    </message>
</context>
<context>
    <name>CEMapSetupDialog</name>
    <message>
        <source>EMap Setup</source>
        <translation>E-kartoppsett</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Popup</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Lukk etter</translation>
    </message>
    <message>
        <source>Image Size</source>
        <translation>Bildestørrelse</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>Tilpass</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
</context>
<context>
    <name>CEMapWidget</name>
    <message>
        <source>CEMapWidget</source>
        <translation>CEMapWidget</translation>
    </message>
    <message>
        <source>Please confirm the dvr information.</source>
        <translation>Kontroller DVR-opplysningene.</translation>
    </message>
    <message>
        <source>The camera is in the emap.</source>
        <translation>Kameraet er allerede på E-kartet.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Slett alle</translation>
    </message>
</context>
<context>
    <name>CEventSound</name>
    <message>
        <source>The alarm cannot sound: its sound cannot be read.</source>
        <translation>Alarmen kan ikke lyde: lyden kan ikke leses.</translation>
    </message>
    <message>
        <source>The alarm cannot sound: the sound output does not answer.</source>
        <translation>Alarmen kan ikke lyde: lydutgangen svarer ikke.</translation>
    </message>
</context>
<context>
    <name>CHDDWidget</name>
    <message>
        <source>CHDDWidget</source>
        <translation>CHDDWidget</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Total Space : </source>
        <translation>Total plass : </translation>
    </message>
    <message>
        <source>Used Space : </source>
        <translation>Brukt plass : </translation>
    </message>
    <message>
        <source>Free Space : </source>
        <translation>Ledig plass : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>Disk %1</translation>
    </message>
</context>
<context>
    <name>CHttpConnect</name>
    <message>
        <source>[ERROR]user unknown</source>
        <translation>[FEIL]ukjent bruker</translation>
    </message>
    <message>
        <source>[ERROR]password miss</source>
        <translation>[FEIL]feil passord</translation>
    </message>
    <message>
        <source>[ERROR]protocol version</source>
        <translation>[FEIL]feil protokollversjon</translation>
    </message>
    <message>
        <source>[ERROR]client limit</source>
        <translation>[FEIL]klientgrensen er nådd</translation>
    </message>
    <message>
        <source>[ERROR]super exist</source>
        <translation>[FEIL]en administrator er allerede pålogget</translation>
    </message>
    <message>
        <source>[ERROR]no video data</source>
        <translation>[FEIL]ingen videodata</translation>
    </message>
    <message>
        <source>[ERROR]no video channel</source>
        <translation>[FEIL]ingen videokanal</translation>
    </message>
    <message>
        <source>[ERROR]mpeg push end</source>
        <translation>[FEIL]strømmingen er avsluttet</translation>
    </message>
    <message>
        <source>[ERROR]connection timeout</source>
        <translation>[FEIL]tidsavbrudd for tilkobling</translation>
    </message>
    <message>
        <source>[ERROR]unknown</source>
        <translation>[FEIL]ukjent</translation>
    </message>
    <message>
        <source>[ERROR]permission denied</source>
        <translation>[FEIL]ingen tilgang</translation>
    </message>
    <message>
        <source>[ERROR]network timeout</source>
        <translation>[FEIL]tidsavbrudd i nettverket</translation>
    </message>
    <message>
        <source>[ERROR]request refused</source>
        <translation>[FEIL]forespørselen ble avvist</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Tilkoblingen mislyktes</translation>
    </message>
    <message>
        <source>There is no more backup data. Or Connection failed</source>
        <translation>Ingen flere data å sikkerhetskopiere, eller tilkoblingen mislyktes</translation>
    </message>
    <message>
        <source>The backup is complete.</source>
        <translation>Sikkerhetskopieringen er fullført.</translation>
    </message>
    <message>
        <source>Waiting for the DVR to end the last stream</source>
        <translation>Venter på at DVR-en avslutter den forrige strømmen</translation>
    </message>
</context>
<context>
    <name>CInfoWidget</name>
    <message>
        <source>CInfoWidget</source>
        <translation>CInfoWidget</translation>
    </message>
    <message>
        <source>System Information</source>
        <translation>Systeminformasjon</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>H/W Version</source>
        <translation>Maskinvareversjon</translation>
    </message>
    <message>
        <source>Kernel Version</source>
        <translation>Kjerneversjon</translation>
    </message>
    <message>
        <source>Ramdisk Version</source>
        <translation>Ramdisk-versjon</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC-adresse</translation>
    </message>
    <message>
        <source>HDD Information</source>
        <translation>Diskinformasjon</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR-informasjon</translation>
    </message>
</context>
<context>
    <name>CLiveCtrlWidget</name>
    <message>
        <source>CLiveCtrlWidget</source>
        <translation>CLiveCtrlWidget</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Auto Preset</source>
        <translation>Preset-tur</translation>
    </message>
    <message>
        <source>Rem. Port</source>
        <translation>Reléutgang</translation>
    </message>
    <message>
        <source>Picture ctrl</source>
        <translation>Bildejustering</translation>
    </message>
</context>
<context>
    <name>CLogWidget</name>
    <message>
        <source>CLogWidget</source>
        <translation>CLogWidget</translation>
    </message>
    <message>
        <source>System Log</source>
        <translation>Systemlogg</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tid</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Bruker</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Hendelse</translation>
    </message>
</context>
<context>
    <name>CLogin</name>
    <message>
        <source>Login</source>
        <translation>Pålogging</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Bruker-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passord</translation>
    </message>
</context>
<context>
    <name>CMenuDVRList</name>
    <message>
        <source>Connect</source>
        <translation>Koble til</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Koble fra</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Legg til gruppe</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Rediger gruppe</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>Slett gruppe</translation>
    </message>
    <message>
        <source>Add DVR</source>
        <translation>Legg til DVR</translation>
    </message>
    <message>
        <source>Edit DVR</source>
        <translation>Rediger DVR</translation>
    </message>
    <message>
        <source>Delete DVR</source>
        <translation>Slett DVR</translation>
    </message>
</context>
<context>
    <name>CModelInfoDialog</name>
    <message>
        <source>Model Info</source>
        <translation>Modellinfo</translation>
    </message>
    <message>
        <source>DVR Channels :</source>
        <translation>DVR-kanaler :</translation>
    </message>
    <message>
        <source>4 channels</source>
        <translation>4 kanaler</translation>
    </message>
    <message>
        <source>8 channels</source>
        <translation>8 kanaler</translation>
    </message>
    <message>
        <source>16 channels</source>
        <translation>16 kanaler</translation>
    </message>
    <message>
        <source>Video Type :</source>
        <translation>Videostandard :</translation>
    </message>
    <message>
        <source>NTSC</source>
        <translation>NTSC</translation>
    </message>
    <message>
        <source>PAL</source>
        <translation>PAL</translation>
    </message>
    <message>
        <source>DVR Model :</source>
        <translation>DVR-modell :</translation>
    </message>
</context>
<context>
    <name>CMotionZoneDialog</name>
    <message>
        <source>Motion Zone</source>
        <translation>Bevegelsessone</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Utvalg</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Tøm</translation>
    </message>
</context>
<context>
    <name>CPCInfoPage</name>
    <message>
        <source>PC Information</source>
        <translation>PC-informasjon</translation>
    </message>
    <message>
        <source>Local Drive</source>
        <translation>Lokal stasjon</translation>
    </message>
    <message>
        <source>Record Folder</source>
        <translation>Opptaksmappe</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Stasjon</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Ukjent</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>PC-oppsett</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Oppsett</translation>
    </message>
    <message>
        <source>PC Information</source>
        <translation>PC-informasjon</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>PC Setup</source>
        <translation>PC-oppsett</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Generelt</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Språk</translation>
    </message>
    <message>
        <source>Sequence Interval (sec)</source>
        <translation>Sekvensintervall (s)</translation>
    </message>
    <message>
        <source>Live View</source>
        <translation>Direktevisning</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Strøm</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Lyd</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Koble til igjen</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>On-Screen Display</source>
        <translation>Skjermvisning</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Kameranavn</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Opptak</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Hendelse</translation>
    </message>
    <message>
        <source>Alarm Sound</source>
        <translation>Alarmlyd</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Mapper</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Stillbilde</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sikkerhetskopi</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Filer</translation>
    </message>
    <message>
        <source>Record File Format</source>
        <translation>Filformat for opptak</translation>
    </message>
    <message>
        <source>Capture File Format</source>
        <translation>Filformat for stillbilder</translation>
    </message>
    <message>
        <source>Playback Mode</source>
        <translation>Avspillingsmodus</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ingen</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Ikon</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Ramme</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Hovedstrøm</translation>
    </message>
    <message>
        <source>Sub</source>
        <translation>Sekundær</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Kontinuerlig</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Hopp over</translation>
    </message>
    <message>
        <source>OpenGL(High PC)</source>
        <translation>OpenGL (rask PC)</translation>
    </message>
    <message>
        <source>OpenGL(Low PC)</source>
        <translation>OpenGL (treg PC)</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Velg en mappe.</translation>
    </message>
</context>
<context>
    <name>CPictureWidget</name>
    <message>
        <source>CPictureWidget</source>
        <translation>CPictureWidget</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Lysstyrke</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Metning</translation>
    </message>
    <message>
        <source>H.Sharpness</source>
        <translation>H-skarphet</translation>
    </message>
    <message>
        <source>V.Sharpness</source>
        <translation>V-skarphet</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
</context>
<context>
    <name>CPlaybackFile</name>
    <message>
        <source>Damaged file: %1</source>
        <translation>Skadet fil: %1</translation>
    </message>
    <message>
        <source>Missing file: %1</source>
        <translation>Manglende fil: %1</translation>
    </message>
    <message>
        <source>No recording at this time</source>
        <translation>Ingen opptak på dette tidspunktet</translation>
    </message>
    <message>
        <source>End of the recordings</source>
        <translation>Slutt på opptakene</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Upgrading</source>
        <translation>Oppgraderer</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Avbryt</translation>
    </message>
</context>
<context>
    <name>CPtzfWidget</name>
    <message>
        <source>CPtzfWidget</source>
        <translation>CPtzfWidget</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Iris</source>
        <translation>Blender</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Lagre</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Gå til</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Sakte</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rask</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>Svært rask</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Forvalg %1</translation>
    </message>
</context>
<context>
    <name>CRecord</name>
    <message>
        <source>The folder cannot be written: %1</source>
        <translation>Kan ikke skrive til mappen: %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Opptaket stoppet: %1</translation>
    </message>
</context>
<context>
    <name>CRemotePortWiget</name>
    <message>
        <source>CRemotePortWiget</source>
        <translation>CRemotePortWiget</translation>
    </message>
    <message>
        <source>Auto off :</source>
        <translation>Auto av :</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>20</source>
        <translation>20</translation>
    </message>
    <message>
        <source>30</source>
        <translation>30</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relé</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
</context>
<context>
    <name>CSearchWidget</name>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Søker...</translation>
    </message>
    <message>
        <source>No search data was received from the DVR.</source>
        <translation>Ingen søkedata ble mottatt fra DVR-en.</translation>
    </message>
    <message>
        <source>No recordings.</source>
        <translation>Ingen opptak.</translation>
    </message>
    <message>
        <source>Files not read: %1</source>
        <translation>Filer som ikke ble lest: %1</translation>
    </message>
    <message>
        <source>Recorded minutes whose files are missing: %1</source>
        <translation>Innspilte minutter der filene mangler: %1</translation>
    </message>
</context>
<context>
    <name>CSendDVRInfoWidget</name>
    <message>
        <source>DVR</source>
        <translation>DVR</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Admin Password</source>
        <translation>Administratorpassord</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Fyll ut alle feltene.</translation>
    </message>
</context>
<context>
    <name>CSeqWidget</name>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanaler</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
    <message>
        <source>M1-4</source>
        <translation>M1-4</translation>
    </message>
    <message>
        <source>M5-8</source>
        <translation>M5-8</translation>
    </message>
    <message>
        <source>M9-12</source>
        <translation>M9-12</translation>
    </message>
    <message>
        <source>M13-16</source>
        <translation>M13-16</translation>
    </message>
    <message>
        <source>M1-9</source>
        <translation>M1-9</translation>
    </message>
    <message>
        <source>M8-16</source>
        <translation>M8-16</translation>
    </message>
    <message>
        <source>M1-16</source>
        <translation>M1-16</translation>
    </message>
    <message>
        <source>Dwell Time</source>
        <translation>Visningstid</translation>
    </message>
    <message>
        <source>M1-8</source>
        <translation>M1-8</translation>
    </message>
</context>
<context>
    <name>CSetDVRInfoDialog</name>
    <message>
        <source>DVR</source>
        <translation>DVR</translation>
    </message>
    <message>
        <source>DVR Name</source>
        <translation>DVR-navn</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Bruker-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passord</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanaler</translation>
    </message>
    <message>
        <source>View Channels</source>
        <translation>Viste kanaler</translation>
    </message>
    <message>
        <source>Old protocol</source>
        <translation>Gammel protokoll</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Fyll ut alle feltene.</translation>
    </message>
</context>
<context>
    <name>CSetEMapInfoDialog</name>
    <message>
        <source>EMap Info</source>
        <translation>E-kartinfo</translation>
    </message>
    <message>
        <source>Group Name :</source>
        <translation>Gruppenavn :</translation>
    </message>
    <message>
        <source>EMap Name :</source>
        <translation>E-kartnavn :</translation>
    </message>
    <message>
        <source>Image Path :</source>
        <translation>Bildebane :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Fyll ut alle feltene.</translation>
    </message>
    <message>
        <source>Select a Image file</source>
        <translation>Velg en bildefil</translation>
    </message>
</context>
<context>
    <name>CSetupAccount</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>Administrator</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passord</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Bruker</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Navn</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>CH1</source>
        <translation>CH1</translation>
    </message>
    <message>
        <source>CH2</source>
        <translation>CH2</translation>
    </message>
    <message>
        <source>CH3</source>
        <translation>CH3</translation>
    </message>
    <message>
        <source>CH4</source>
        <translation>CH4</translation>
    </message>
    <message>
        <source>CH5</source>
        <translation>CH5</translation>
    </message>
    <message>
        <source>CH6</source>
        <translation>CH6</translation>
    </message>
    <message>
        <source>CH7</source>
        <translation>CH7</translation>
    </message>
    <message>
        <source>CH8</source>
        <translation>CH8</translation>
    </message>
    <message>
        <source>CH9</source>
        <translation>CH9</translation>
    </message>
    <message>
        <source>CH10</source>
        <translation>CH10</translation>
    </message>
    <message>
        <source>CH11</source>
        <translation>CH11</translation>
    </message>
    <message>
        <source>CH12</source>
        <translation>CH12</translation>
    </message>
    <message>
        <source>CH13</source>
        <translation>CH13</translation>
    </message>
    <message>
        <source>CH14</source>
        <translation>CH14</translation>
    </message>
    <message>
        <source>CH15</source>
        <translation>CH15</translation>
    </message>
    <message>
        <source>CH16</source>
        <translation>CH16</translation>
    </message>
    <message>
        <source>ALL</source>
        <translation>ALLE</translation>
    </message>
    <message>
        <source>PTZF Control</source>
        <translation>PTZF-styring</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Avspilling</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sikkerhetskopi</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Nettverk</translation>
    </message>
    <message>
        <source>Network Timeout</source>
        <translation>Nett-tidsavbrudd</translation>
    </message>
    <message>
        <source>Network Prohibition</source>
        <translation>Nettverkssperre</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Starttime</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Slutttime</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Tøm</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Legg til</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Endre</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Slett</translation>
    </message>
    <message>
        <source>Log off</source>
        <translation>Avlogging</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Wait time</source>
        <translation>Ventetid</translation>
    </message>
    <message>
        <source>Can&apos;t add same user.</source>
        <translation>Kan ikke legge til samme bruker.</translation>
    </message>
    <message>
        <source>Another user already has this name.</source>
        <translation>En annen bruker har allerede dette navnet.</translation>
    </message>
</context>
<context>
    <name>CSetupCamera</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Navn</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>CH-1</source>
        <translation>CH-1</translation>
    </message>
    <message>
        <source>CH-2</source>
        <translation>CH-2</translation>
    </message>
    <message>
        <source>CH-3</source>
        <translation>CH-3</translation>
    </message>
    <message>
        <source>CH-4</source>
        <translation>CH-4</translation>
    </message>
    <message>
        <source>CH-5</source>
        <translation>CH-5</translation>
    </message>
    <message>
        <source>CH-6</source>
        <translation>CH-6</translation>
    </message>
    <message>
        <source>CH-7</source>
        <translation>CH-7</translation>
    </message>
    <message>
        <source>CH-8</source>
        <translation>CH-8</translation>
    </message>
    <message>
        <source>CH-9</source>
        <translation>CH-9</translation>
    </message>
    <message>
        <source>CH-10</source>
        <translation>CH-10</translation>
    </message>
    <message>
        <source>CH-11</source>
        <translation>CH-11</translation>
    </message>
    <message>
        <source>CH-12</source>
        <translation>CH-12</translation>
    </message>
    <message>
        <source>CH-13</source>
        <translation>CH-13</translation>
    </message>
    <message>
        <source>CH-14</source>
        <translation>CH-14</translation>
    </message>
    <message>
        <source>CH-15</source>
        <translation>CH-15</translation>
    </message>
    <message>
        <source>CH-16</source>
        <translation>CH-16</translation>
    </message>
    <message>
        <source>Covert</source>
        <translation>Skjult</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Reverse Control</source>
        <translation>Omvendt styring</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Panorering</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Vipping</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Skarphet</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Sekvens</translation>
    </message>
    <message>
        <source>SPOT</source>
        <translation>SPOT</translation>
    </message>
    <message>
        <source>Spot</source>
        <translation>Spot</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
</context>
<context>
    <name>CSetupEtc</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>Dato og tid</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tid</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Dato</translation>
    </message>
    <message>
        <source>Set to PC time</source>
        <translation>Bruk PC-tid</translation>
    </message>
    <message>
        <source>Apply to DVR</source>
        <translation>Bruk på DVR</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Lukk</translation>
    </message>
</context>
<context>
    <name>CSetupEvent</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Bevegelse</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>Følsomhet</translation>
    </message>
    <message>
        <source>Detection Zone</source>
        <translation>Deteksjonssone</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Popup</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Lukk etter</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Kobling</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relé</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Utgang</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Opptaksfeil</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Opptaksvarsel</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Varighet</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>E-postadresse</translation>
    </message>
    <message>
        <source>Receiver Address</source>
        <translation>Mottakeradresse</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Sender Address</source>
        <translation>Avsenderadresse</translation>
    </message>
    <message>
        <source>SMTP</source>
        <translation>SMTP</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>Autentisering</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Bruker-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passord</translation>
    </message>
    <message>
        <source>SSL</source>
        <translation>SSL</translation>
    </message>
    <message>
        <source>MIME</source>
        <translation>MIME</translation>
    </message>
    <message>
        <source>E-Mail Transfer Settings</source>
        <translation>E-postsending</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>Prohibition</source>
        <translation>Sperre</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Starttime</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Slutttime</translation>
    </message>
    <message>
        <source>E-Mail Transfer Contents</source>
        <translation>Innhold i e-post</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nei</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Videotap</translation>
    </message>
    <message>
        <source>Record Status</source>
        <translation>Opptaksstatus</translation>
    </message>
    <message>
        <source>System Access</source>
        <translation>Systemtilgang</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>Opptakstid</translation>
    </message>
    <message>
        <source>Post Alarm Record</source>
        <translation>Opptak etter alarm</translation>
    </message>
</context>
<context>
    <name>CSetupHdd</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Write Mode</source>
        <translation>Skrivemodus</translation>
    </message>
    <message>
        <source>Force Deletion</source>
        <translation>Tvungen sletting</translation>
    </message>
    <message>
        <source>S.M.A.R.T.</source>
        <translation>S.M.A.R.T.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>Check Interval</source>
        <translation>Kontrollintervall</translation>
    </message>
    <message>
        <source>ONCE</source>
        <translation>ÉN GANG</translation>
    </message>
    <message>
        <source>OVERWRITE</source>
        <translation>OVERSKRIV</translation>
    </message>
</context>
<context>
    <name>CSetupNetwork</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>TCP/IP</source>
        <translation>TCP/IP</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>BW Limitation</source>
        <translation>Båndbreddegrense</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-adresse</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Nettmaske</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>DNS IP</source>
        <translation>DNS-IP</translation>
    </message>
    <message>
        <source>UPNP</source>
        <translation>UPNP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>DDNS Link</source>
        <translation>DDNS-kobling</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Bruker-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passord</translation>
    </message>
    <message>
        <source>DDNS</source>
        <translation>DDNS</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>Vertsnavn</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Strøm</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Kvalitet</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bekreftelse</translation>
    </message>
    <message>
        <source>Apply network TCP/IP &amp;&amp; DDNS configuration</source>
        <translation>Bruk nettverksoppsett for TCP/IP og DDNS</translation>
    </message>
</context>
<context>
    <name>CSetupRecord</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Oppløsning</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Kvalitet</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Event Quality</source>
        <translation>Hendelseskvalitet</translation>
    </message>
    <message>
        <source>Event FPS</source>
        <translation>Hendelses-FPS</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Tidsplan</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Kontinuerlig</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Bevegelse</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Motion + Sensor</source>
        <translation>Bevegelse + sensor</translation>
    </message>
    <message>
        <source>Cont. + Event</source>
        <translation>Kont. + hendelse</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Etc.</source>
        <translation>Diverse</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Lyd</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>Time Overlay</source>
        <translation>Tidsstempel</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Avspilling</translation>
    </message>
    <message>
        <source>Starting Point</source>
        <translation>Startpunkt</translation>
    </message>
    <message>
        <source>SUN</source>
        <translation>SØN</translation>
    </message>
    <message>
        <source>MON</source>
        <translation>MAN</translation>
    </message>
    <message>
        <source>TUE</source>
        <translation>TIR</translation>
    </message>
    <message>
        <source>WED</source>
        <translation>ONS</translation>
    </message>
    <message>
        <source>THU</source>
        <translation>TOR</translation>
    </message>
    <message>
        <source>FRI</source>
        <translation>FRE</translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>LØR</translation>
    </message>
    <message>
        <source> 25 %</source>
        <translation> 25 %</translation>
    </message>
    <message>
        <source> 50 %</source>
        <translation> 50 %</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
</context>
<context>
    <name>CSetupSystem</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>Name &amp; ID</source>
        <translation>Navn og ID</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Navn</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>Dato og tid</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>Tidsformat</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>Datoformat</translation>
    </message>
    <message>
        <source>Timezone</source>
        <translation>Tidssone</translation>
    </message>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Av</translation>
    </message>
    <message>
        <source>On</source>
        <translation>På</translation>
    </message>
    <message>
        <source>NTP Address</source>
        <translation>NTP-server</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Språk</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Bevegelse</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Videotap</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Opptaksfeil</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Opptaksvarsel</translation>
    </message>
    <message>
        <source>Auto Reboot</source>
        <translation>Automatisk omstart</translation>
    </message>
    <message>
        <source>Day</source>
        <comment>day of week</comment>
        <translation>Dag</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tid</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Visning</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Kameranavn</translation>
    </message>
    <message>
        <source>Record Icon</source>
        <translation>Opptaksikon</translation>
    </message>
    <message>
        <source>Motion Icon</source>
        <translation>Bevegelsesikon</translation>
    </message>
    <message>
        <source>Sensor Icon</source>
        <translation>Sensorikon</translation>
    </message>
    <message>
        <source>Task Bar</source>
        <translation>Oppgavelinje</translation>
    </message>
    <message>
        <source>VGA Mode</source>
        <translation>VGA-modus</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Søndag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Mandag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Tirsdag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Onsdag</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Torsdag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Fredag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Lørdag</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>Hver dag</translation>
    </message>
</context>
<context>
    <name>CSetupWidget</name>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Nettverk</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Opptak</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Hendelse</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Kamera</translation>
    </message>
    <message>
        <source>The DVR configuration is of an unknown model (%1).</source>
        <translation>DVR-konfigurasjonen er for en ukjent modell (%1).</translation>
    </message>
    <message>
        <source>The configuration of a DVR on the old protocol cannot be read.</source>
        <translation>Konfigurasjonen til en DVR med gammel protokoll kan ikke leses.</translation>
    </message>
    <message>
        <source>The DVR configuration could not be read.</source>
        <translation>DVR-konfigurasjonen kunne ikke leses.</translation>
    </message>
    <message>
        <source>The admin password must not be empty.</source>
        <translation>Administratorpassordet kan ikke være tomt.</translation>
    </message>
    <message>
        <source>No configuration was read from the DVR. Send the default settings anyway?</source>
        <translation>Ingen konfigurasjon ble lest fra DVR-en. Vil du sende standardinnstillingene likevel?</translation>
    </message>
    <message>
        <source>The transmission error occurred!</source>
        <translation>Det oppstod en overføringsfeil!</translation>
    </message>
    <message>
        <source>The DVR configuration is correctly transfered!</source>
        <translation>DVR-konfigurasjonen ble overført!</translation>
    </message>
    <message>
        <source>Please select a configuration file.</source>
        <translation>Velg en konfigurasjonsfil.</translation>
    </message>
    <message>
        <source>Configs (*.conf)</source>
        <translation>Konfigurasjoner (*.conf)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>Filen %1 kan ikke åpnes.</translation>
    </message>
    <message>
        <source>The file %1 is not a DVR configuration.</source>
        <translation>Filen %1 er ikke en DVR-konfigurasjon.</translation>
    </message>
    <message>
        <source>The file name must end with &quot;.conf&quot;.</source>
        <translation>Filnavnet må slutte på «.conf».</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>Filen %1 kan ikke skrives.</translation>
    </message>
</context>
<context>
    <name>CTimeLine</name>
    <message>
        <source>Hour</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>CUpgrade</name>
    <message>
        <source>GroupFrame</source>
        <translation>GroupFrame</translation>
    </message>
    <message>
        <source>S/W Upgrade</source>
        <translation>Programvareoppgradering</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fil</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Bla gjennom...</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Oppgrader</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Lukk</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Velg fil</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>Alle filer(*.*)</translation>
    </message>
    <message>
        <source>The upgrade is failed!</source>
        <translation>Oppgraderingen mislyktes!</translation>
    </message>
    <message>
        <source>The upgrade is completed!</source>
        <translation>Oppgraderingen er fullført!</translation>
    </message>
</context>
<context>
    <name>CWaitDialog</name>
    <message>
        <source>Please wait a minute.</source>
        <translation>Vent litt.</translation>
    </message>
</context>
<context>
    <name>PbButtons</name>
    <message>
        <source>Reverse</source>
        <translation>Bakover</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Spill av</translation>
    </message>
    <message>
        <source>Step reverse</source>
        <translation>Bilde bakover</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>Bilde forover</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Saktere</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Raskere</translation>
    </message>
</context>
<context>
    <name>UpLoader</name>
    <message>
        <source>Error: can&apos;t open file %1</source>
        <translation>Feil: kan ikke åpne filen %1</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Nettverksfeil: %1</translation>
    </message>
</context>
<context>
    <name>Viewer</name>
    <message>
        <source>Save File</source>
        <translation>Lagre fil</translation>
    </message>
    <message>
        <source>Text files(*.txt)</source>
        <translation>Tekstfiler(*.txt)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Kan ikke skrive filen %1:
%2.</translation>
    </message>
    <message>
        <source>File saved</source>
        <translation>Filen er lagret</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Velg en mappe.</translation>
    </message>
    <message>
        <source>The image has been saved.</source>
        <translation>Bildet er lagret.</translation>
    </message>
    <message>
        <source>The image could not be saved.</source>
        <translation>Bildet kunne ikke lagres.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Åpne fil</translation>
    </message>
    <message>
        <source>Capture Images (*.png *.jpg)</source>
        <translation>Stillbilder (*.png *.jpg)</translation>
    </message>
    <message>
        <source>The backup ended before its end time. The files written so far are in &quot;%1&quot;.</source>
        <translation>Sikkerhetskopieringen stoppet før sluttidspunktet. Filene som er skrevet så langt, ligger i &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The changes to the DVR list are not saved (%1).</source>
        <translation>Endringene i DVR-listen er ikke lagret (%1).</translation>
    </message>
    <message>
        <source>The changes to the e-map list are not saved (%1).</source>
        <translation>Endringene i e-kartlisten er ikke lagret (%1).</translation>
    </message>
    <message>
        <source>Close the program all the same? These changes are lost then.</source>
        <translation>Lukke programmet likevel? Da går disse endringene tapt.</translation>
    </message>
    <message>
        <source>another mode was chosen</source>
        <translation>en annen modus ble valgt</translation>
    </message>
</context>
<context>
    <name>ViewerClass</name>
    <message>
        <source>Live S</source>
        <translation>Direkte én</translation>
    </message>
    <message>
        <source>Live M</source>
        <translation>Direkte flere</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Søk</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Avspilling</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sikkerhetskopi</translation>
    </message>
    <message>
        <source>E-Map</source>
        <translation>E-kart</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informasjon</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfigurasjon</translation>
    </message>
    <message>
        <source>PC Setup</source>
        <translation>PC-oppsett</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Vis</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Rediger</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Oppsett</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Avslutt</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Åpne</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Lagre</translation>
    </message>
    <message>
        <source>Setup Model</source>
        <translation>Velg modell</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Last på nytt</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Bruk</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>Bruk alle</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Oppgrader</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>Dato og tid</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Tilbakestill</translation>
    </message>
    <message>
        <source>Digital Zoom</source>
        <translation>Digital zoom</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Stillbilde</translation>
    </message>
    <message>
        <source>PC Record</source>
        <translation>PC-opptak</translation>
    </message>
    <message>
        <source>DVR Record</source>
        <translation>DVR-opptak</translation>
    </message>
</context>
</TS>
