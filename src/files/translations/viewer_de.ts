<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
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
        <translation>Ende</translation>
    </message>
    <message>
        <source>Interval(sec)</source>
        <translation>Intervall(s)</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Preset %1</translation>
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
        <translation>Ende</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Please connect a DVR first.</source>
        <translation>Bitte zuerst einen DVR verbinden.</translation>
    </message>
    <message>
        <source>Please select a channel.</source>
        <translation>Bitte einen Kanal wählen.</translation>
    </message>
    <message>
        <source>The end time is before the start time.</source>
        <translation>Die Endzeit liegt vor der Startzeit.</translation>
    </message>
</context>
<context>
    <name>CCameraWidget</name>
    <message>
        <source>DVR Name : %1
</source>
        <translation>DVR-Name : %1
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
        <translation>Benutzer : %1
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
        <translation>Bitte die Position der Kamera prüfen.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
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
        <translation>Die Aufnahme von &quot;%1&quot; endete, bevor Sie sie beendet haben. Die bisher geschriebenen Dateien liegen in &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>CDVRInfoWidget</name>
    <message>
        <source>Information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR-Informationen</translation>
    </message>
    <message>
        <source>Reading the DVR information...</source>
        <translation>DVR-Informationen werden gelesen...</translation>
    </message>
    <message>
        <source>No information was received from the DVR.</source>
        <translation>Vom DVR wurden keine Informationen empfangen.</translation>
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
        <translation>Gruppe hinzufügen</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>Gruppenname</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Gruppe bearbeiten</translation>
    </message>
    <message>
        <source>Do you want to delete the group &quot;%1&quot; and its DVRs?</source>
        <translation>Soll die Gruppe „%1“ mit ihren DVRs gelöscht werden?</translation>
    </message>
    <message>
        <source>Do you want to delete the DVR &quot;%1&quot;?</source>
        <translation>Soll der DVR „%1“ gelöscht werden?</translation>
    </message>
    <message>
        <source>The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>Die DVR-Listendatei war beschädigt. Daraus gelesen: %1 Gruppen und %2 DVRs. Die beschädigte Datei ist als &quot;%3&quot; aufbewahrt.</translation>
    </message>
    <message>
        <source>The DVR list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>Die DVR-Listendatei &quot;%1&quot; konnte nicht gelesen werden (%2). Stattdessen wird die Standardliste angezeigt; nichts wurde überschrieben.</translation>
    </message>
    <message>
        <source>The DVR list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>Die DVR-Listendatei, die beim Start nicht gelesen werden konnte, ist als &quot;%1&quot; aufbewahrt.</translation>
    </message>
    <message>
        <source>The DVR list could not be saved (%1).</source>
        <translation>Die DVR-Liste konnte nicht gespeichert werden (%1).</translation>
    </message>
    <message>
        <source>The DVR list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>Die DVR-Listendatei wurde anderswo geändert, nachdem dieses Programm sie zuletzt gelesen oder gespeichert hatte. Diese Fassung ist als &quot;%1&quot; aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>CEMapList</name>
    <message>
        <source>Modify group name</source>
        <translation>Gruppennamen ändern</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Gruppenname:</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map group?</source>
        <translation>Soll die gewählte Kartengruppe wirklich gelöscht werden?</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map?</source>
        <translation>Soll die gewählte Karte wirklich gelöscht werden?</translation>
    </message>
    <message>
        <source>The e-map list file was damaged. Read from it: %1 groups and %2 maps. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>Die E-Map-Listendatei war beschädigt. Daraus gelesen: %1 Gruppen und %2 Karten. Die beschädigte Datei ist als &quot;%3&quot; aufbewahrt.</translation>
    </message>
    <message>
        <source>The e-map list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>Die E-Map-Listendatei &quot;%1&quot; konnte nicht gelesen werden (%2). Stattdessen wird die Standardliste angezeigt; nichts wurde überschrieben.</translation>
    </message>
    <message>
        <source>The e-map list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>Die E-Map-Listendatei, die beim Start nicht gelesen werden konnte, ist als &quot;%1&quot; aufbewahrt.</translation>
    </message>
    <message>
        <source>The e-map list could not be saved (%1).</source>
        <translation>Die E-Map-Liste konnte nicht gespeichert werden (%1).</translation>
    </message>
    <message>
        <source>The e-map list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>Die E-Map-Listendatei wurde anderswo geändert, nachdem dieses Programm sie zuletzt gelesen oder gespeichert hatte. Diese Fassung ist als &quot;%1&quot; aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>CEMapMenu</name>
    <message>
        <source>Add EMap</source>
        <translation>E-Map hinzufügen</translation>
    </message>
    <message>
        <source>Edit EMap</source>
        <translation>E-Map bearbeiten</translation>
    </message>
    <message>
        <source>Delete EMap</source>
        <translation>E-Map löschen</translation>
    </message>
</context>
<context>
    <name>CEMapSetupDialog</name>
    <message>
        <source>EMap Setup</source>
        <translation>E-Map-Einstellungen</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Einblenden</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Image Size</source>
        <translation>Bildgröße</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>Anpassen</translation>
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
        <translation>Bitte die DVR-Angaben prüfen.</translation>
    </message>
    <message>
        <source>The camera is in the emap.</source>
        <translation>Die Kamera ist bereits in der E-Map.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Alle löschen</translation>
    </message>
</context>
<context>
    <name>CEventSound</name>
    <message>
        <source>The alarm cannot sound: its sound cannot be read.</source>
        <translation>Der Alarm kann nicht ertönen: sein Ton kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The alarm cannot sound: the sound output does not answer.</source>
        <translation>Der Alarm kann nicht ertönen: die Tonausgabe antwortet nicht.</translation>
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
        <translation>Festplatte</translation>
    </message>
    <message>
        <source>Total Space : </source>
        <translation>Gesamt : </translation>
    </message>
    <message>
        <source>Used Space : </source>
        <translation>Belegt : </translation>
    </message>
    <message>
        <source>Free Space : </source>
        <translation>Frei : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>Festplatte %1</translation>
    </message>
</context>
<context>
    <name>CHttpConnect</name>
    <message>
        <source>[ERROR]user unknown</source>
        <translation>[FEHLER]Unbekannter Benutzer</translation>
    </message>
    <message>
        <source>[ERROR]password miss</source>
        <translation>[FEHLER]Falsches Passwort</translation>
    </message>
    <message>
        <source>[ERROR]protocol version</source>
        <translation>[FEHLER]Falsche Protokollversion</translation>
    </message>
    <message>
        <source>[ERROR]client limit</source>
        <translation>[FEHLER]Client-Limit erreicht</translation>
    </message>
    <message>
        <source>[ERROR]super exist</source>
        <translation>[FEHLER]Administrator bereits angemeldet</translation>
    </message>
    <message>
        <source>[ERROR]no video data</source>
        <translation>[FEHLER]Keine Videodaten</translation>
    </message>
    <message>
        <source>[ERROR]no video channel</source>
        <translation>[FEHLER]Kein Videokanal</translation>
    </message>
    <message>
        <source>[ERROR]mpeg push end</source>
        <translation>[FEHLER]Videostream beendet</translation>
    </message>
    <message>
        <source>[ERROR]connection timeout</source>
        <translation>[FEHLER]Zeitüberschreitung der Verbindung</translation>
    </message>
    <message>
        <source>[ERROR]unknown</source>
        <translation>[FEHLER]Unbekannt</translation>
    </message>
    <message>
        <source>[ERROR]permission denied</source>
        <translation>[FEHLER]Zugriff verweigert</translation>
    </message>
    <message>
        <source>[ERROR]network timeout</source>
        <translation>[FEHLER]Zeitüberschreitung im Netzwerk</translation>
    </message>
    <message>
        <source>[ERROR]request refused</source>
        <translation>[FEHLER]Anfrage abgelehnt</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Verbindung fehlgeschlagen</translation>
    </message>
    <message>
        <source>There is no more backup data. Or Connection failed</source>
        <translation>Keine weiteren Daten zu sichern, oder die Verbindung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>The backup is complete.</source>
        <translation>Die Sicherung ist vollständig.</translation>
    </message>
    <message>
        <source>Waiting for the DVR to end the last stream</source>
        <translation>Warten, bis der DVR den letzten Stream beendet</translation>
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
        <translation>Systeminformationen</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>H/W Version</source>
        <translation>HW-Version</translation>
    </message>
    <message>
        <source>Kernel Version</source>
        <translation>Kernel-Version</translation>
    </message>
    <message>
        <source>Ramdisk Version</source>
        <translation>Ramdisk-Version</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC-Adresse</translation>
    </message>
    <message>
        <source>HDD Information</source>
        <translation>Festplatteninformationen</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>DVR-Informationen</translation>
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
        <translation>Preset-Tour</translation>
    </message>
    <message>
        <source>Rem. Port</source>
        <translation>Relaisausgang</translation>
    </message>
    <message>
        <source>Picture ctrl</source>
        <translation>Bildeinstellung</translation>
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
        <translation>Systemprotokoll</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Eintrag</translation>
    </message>
</context>
<context>
    <name>CLogin</name>
    <message>
        <source>Login</source>
        <translation>Anmeldung</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Benutzer-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
</context>
<context>
    <name>CMenuDVRList</name>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Gruppe hinzufügen</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Gruppe bearbeiten</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>Gruppe löschen</translation>
    </message>
    <message>
        <source>Add DVR</source>
        <translation>DVR hinzufügen</translation>
    </message>
    <message>
        <source>Edit DVR</source>
        <translation>DVR bearbeiten</translation>
    </message>
    <message>
        <source>Delete DVR</source>
        <translation>DVR löschen</translation>
    </message>
</context>
<context>
    <name>CModelInfoDialog</name>
    <message>
        <source>Model Info</source>
        <translation>Modellangaben</translation>
    </message>
    <message>
        <source>DVR Channels :</source>
        <translation>DVR-Kanäle :</translation>
    </message>
    <message>
        <source>4 channels</source>
        <translation>4 Kanäle</translation>
    </message>
    <message>
        <source>8 channels</source>
        <translation>8 Kanäle</translation>
    </message>
    <message>
        <source>16 channels</source>
        <translation>16 Kanäle</translation>
    </message>
    <message>
        <source>Video Type :</source>
        <translation>Videonorm :</translation>
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
        <translation>DVR-Modell :</translation>
    </message>
</context>
<context>
    <name>CMotionZoneDialog</name>
    <message>
        <source>Motion Zone</source>
        <translation>Bewegungszone</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
</context>
<context>
    <name>CPCInfoPage</name>
    <message>
        <source>PC Information</source>
        <translation>PC-Informationen</translation>
    </message>
    <message>
        <source>Local Drive</source>
        <translation>Lokales Laufwerk</translation>
    </message>
    <message>
        <source>Record Folder</source>
        <translation>Aufnahmeordner</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>PC-Einstellungen</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>PC Information</source>
        <translation>PC-Informationen</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>PC Setup</source>
        <translation>PC-Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Sequence Interval (sec)</source>
        <translation>Sequenzintervall (s)</translation>
    </message>
    <message>
        <source>Live View</source>
        <translation>Live-Ansicht</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Stream</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Neu verbinden</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>On-Screen Display</source>
        <translation>Bildschirmanzeige</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Kameraname</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
    </message>
    <message>
        <source>Alarm Sound</source>
        <translation>Alarmton</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Standbild</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Record File Format</source>
        <translation>Aufnahmeformat</translation>
    </message>
    <message>
        <source>Capture File Format</source>
        <translation>Standbildformat</translation>
    </message>
    <message>
        <source>Playback Mode</source>
        <translation>Wiedergabemodus</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Symbol</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Rahmen</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Hauptstream</translation>
    </message>
    <message>
        <source>Sub</source>
        <translation>Substream</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Durchgehend</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>OpenGL(High PC)</source>
        <translation>OpenGL (schneller PC)</translation>
    </message>
    <message>
        <source>OpenGL(Low PC)</source>
        <translation>OpenGL (langsamer PC)</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Bitte einen Ordner wählen.</translation>
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
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>H.Sharpness</source>
        <translation>H-Schärfe</translation>
    </message>
    <message>
        <source>V.Sharpness</source>
        <translation>V-Schärfe</translation>
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
        <translation>Beschädigte Datei: %1</translation>
    </message>
    <message>
        <source>Missing file: %1</source>
        <translation>Fehlende Datei: %1</translation>
    </message>
    <message>
        <source>No recording at this time</source>
        <translation>Zu dieser Zeit keine Aufnahme</translation>
    </message>
    <message>
        <source>End of the recordings</source>
        <translation>Ende der Aufnahmen</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Upgrading</source>
        <translation>Update läuft</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
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
        <translation>Blende</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Anfahren</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsam</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>Sehr schnell</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Preset %1</translation>
    </message>
</context>
<context>
    <name>CRecord</name>
    <message>
        <source>The folder cannot be written: %1</source>
        <translation>In den Ordner kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Aufnahme gestoppt: %1</translation>
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
        <translation>Auto-Aus :</translation>
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
        <translation>Relais</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
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
        <translation>Suche läuft...</translation>
    </message>
    <message>
        <source>No search data was received from the DVR.</source>
        <translation>Vom DVR wurden keine Suchdaten empfangen.</translation>
    </message>
    <message>
        <source>No recordings.</source>
        <translation>Keine Aufnahmen.</translation>
    </message>
    <message>
        <source>Files not read: %1</source>
        <translation>Nicht gelesene Dateien: %1</translation>
    </message>
    <message>
        <source>Recorded minutes whose files are missing: %1</source>
        <translation>Aufgezeichnete Minuten, deren Dateien fehlen: %1</translation>
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
        <translation>Admin-Passwort</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Bitte alle Felder ausfüllen.</translation>
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
        <translation>Kanäle</translation>
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
        <translation>Verweildauer</translation>
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
        <translation>DVR-Name</translation>
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
        <translation>Benutzer-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>View Channels</source>
        <translation>Angezeigte Kanäle</translation>
    </message>
    <message>
        <source>Old protocol</source>
        <translation>Altes Protokoll</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Bitte alle Felder ausfüllen.</translation>
    </message>
</context>
<context>
    <name>CSetEMapInfoDialog</name>
    <message>
        <source>EMap Info</source>
        <translation>E-Map-Angaben</translation>
    </message>
    <message>
        <source>Group Name :</source>
        <translation>Gruppenname :</translation>
    </message>
    <message>
        <source>EMap Name :</source>
        <translation>E-Map-Name :</translation>
    </message>
    <message>
        <source>Image Path :</source>
        <translation>Bildpfad :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Bitte alle Felder ausfüllen.</translation>
    </message>
    <message>
        <source>Select a Image file</source>
        <translation>Bilddatei wählen</translation>
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
        <translation>Passwort</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
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
        <translation>PTZF-Steuerung</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Network Timeout</source>
        <translation>Netzwerk-Timeout</translation>
    </message>
    <message>
        <source>Network Prohibition</source>
        <translation>Netzwerksperre</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Log off</source>
        <translation>Abmeldung</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Wait time</source>
        <translation>Wartezeit</translation>
    </message>
    <message>
        <source>Can&apos;t add same user.</source>
        <translation>Dieser Benutzer ist bereits vorhanden.</translation>
    </message>
    <message>
        <source>Another user already has this name.</source>
        <translation>Ein anderer Benutzer hat bereits diesen Namen.</translation>
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
        <translation>Name</translation>
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
        <translation>Verdeckt</translation>
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
        <translation>Richtung umkehren</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Schwenken</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Neigen</translation>
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
        <translation>Schärfe</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Sequenz</translation>
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
        <translation>Datum &amp; Uhrzeit</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Set to PC time</source>
        <translation>PC-Zeit übernehmen</translation>
    </message>
    <message>
        <source>Apply to DVR</source>
        <translation>An DVR senden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
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
        <translation>Bewegung</translation>
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
        <translation>Empfindlichkeit</translation>
    </message>
    <message>
        <source>Detection Zone</source>
        <translation>Erkennungszone</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Einblenden</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Verknüpfung</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Aufnahmefehler</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Aufnahmewarnung</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Receiver Address</source>
        <translation>Empfängeradresse</translation>
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
        <translation>Absenderadresse</translation>
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
        <translation>Authentifizierung</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Benutzer-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
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
        <translation>E-Mail-Versand</translation>
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
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>E-Mail Transfer Contents</source>
        <translation>E-Mail-Inhalte</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Videoverlust</translation>
    </message>
    <message>
        <source>Record Status</source>
        <translation>Aufnahmestatus</translation>
    </message>
    <message>
        <source>System Access</source>
        <translation>Systemzugriff</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>Aufnahmezeit</translation>
    </message>
    <message>
        <source>Post Alarm Record</source>
        <translation>Nachalarmaufnahme</translation>
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
        <translation>Schreibmodus</translation>
    </message>
    <message>
        <source>Force Deletion</source>
        <translation>Zwangslöschung</translation>
    </message>
    <message>
        <source>S.M.A.R.T.</source>
        <translation>S.M.A.R.T.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Check Interval</source>
        <translation>Prüfintervall</translation>
    </message>
    <message>
        <source>ONCE</source>
        <translation>EINMAL</translation>
    </message>
    <message>
        <source>OVERWRITE</source>
        <translation>ÜBERSCHREIBEN</translation>
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
        <translation>Typ</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>BW Limitation</source>
        <translation>Bandbreitenlimit</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnetzmaske</translation>
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
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>DDNS Link</source>
        <translation>DDNS-Anbindung</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Benutzer-ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>DDNS</source>
        <translation>DDNS</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>Hostname</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Stream</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Apply network TCP/IP &amp;&amp; DDNS configuration</source>
        <translation>TCP/IP- und DDNS-Einstellungen übernehmen</translation>
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
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
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
        <translation>Ereignisqualität</translation>
    </message>
    <message>
        <source>Event FPS</source>
        <translation>Ereignis-FPS</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Zeitplan</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Durchgehend</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Bewegung</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Motion + Sensor</source>
        <translation>Bewegung+Sensor</translation>
    </message>
    <message>
        <source>Cont. + Event</source>
        <translation>Durchg. + Ereignis</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Nummer</translation>
    </message>
    <message>
        <source>Etc.</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Time Overlay</source>
        <translation>Zeiteinblendung</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Starting Point</source>
        <translation>Startpunkt</translation>
    </message>
    <message>
        <source>SUN</source>
        <translation>SO</translation>
    </message>
    <message>
        <source>MON</source>
        <translation>MO</translation>
    </message>
    <message>
        <source>TUE</source>
        <translation>DI</translation>
    </message>
    <message>
        <source>WED</source>
        <translation>MI</translation>
    </message>
    <message>
        <source>THU</source>
        <translation>DO</translation>
    </message>
    <message>
        <source>FRI</source>
        <translation>FR</translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>SA</translation>
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
        <translation>Name &amp; ID</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>Datum &amp; Uhrzeit</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>Zeitformat</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>Datumsformat</translation>
    </message>
    <message>
        <source>Timezone</source>
        <translation>Zeitzone</translation>
    </message>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>NTP Address</source>
        <translation>NTP-Server</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
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
        <translation>Bewegung</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Videoverlust</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Aufnahmefehler</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Aufnahmewarnung</translation>
    </message>
    <message>
        <source>Auto Reboot</source>
        <translation>Autom. Neustart</translation>
    </message>
    <message>
        <source>Day</source>
        <comment>day of week</comment>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Kameraname</translation>
    </message>
    <message>
        <source>Record Icon</source>
        <translation>Aufnahmesymbol</translation>
    </message>
    <message>
        <source>Motion Icon</source>
        <translation>Bewegungssymbol</translation>
    </message>
    <message>
        <source>Sensor Icon</source>
        <translation>Sensorsymbol</translation>
    </message>
    <message>
        <source>Task Bar</source>
        <translation>Taskleiste</translation>
    </message>
    <message>
        <source>VGA Mode</source>
        <translation>VGA-Modus</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>Täglich</translation>
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
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Aufnahme</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>Festplatte</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Ereignis</translation>
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
        <translation>Die DVR-Konfiguration gehört zu einem unbekannten Modell (%1).</translation>
    </message>
    <message>
        <source>The configuration of a DVR on the old protocol cannot be read.</source>
        <translation>Die Konfiguration eines DVR mit altem Protokoll kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The DVR configuration could not be read.</source>
        <translation>Die DVR-Konfiguration konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The admin password must not be empty.</source>
        <translation>Das Admin-Passwort darf nicht leer sein.</translation>
    </message>
    <message>
        <source>No configuration was read from the DVR. Send the default settings anyway?</source>
        <translation>Vom DVR wurde keine Konfiguration gelesen. Trotzdem die Standardeinstellungen senden?</translation>
    </message>
    <message>
        <source>The transmission error occurred!</source>
        <translation>Bei der Übertragung ist ein Fehler aufgetreten!</translation>
    </message>
    <message>
        <source>The DVR configuration is correctly transfered!</source>
        <translation>Die DVR-Konfiguration wurde erfolgreich übertragen!</translation>
    </message>
    <message>
        <source>Please select a configuration file.</source>
        <translation>Bitte eine Konfigurationsdatei wählen.</translation>
    </message>
    <message>
        <source>Configs (*.conf)</source>
        <translation>Konfigurationen (*.conf)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>Die Datei %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The file %1 is not a DVR configuration.</source>
        <translation>Die Datei %1 ist keine DVR-Konfiguration.</translation>
    </message>
    <message>
        <source>The file name must end with &quot;.conf&quot;.</source>
        <translation>Der Dateiname muss auf „.conf“ enden.</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>CTimeLine</name>
    <message>
        <source>Hour</source>
        <translation>Std.</translation>
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
        <translation>Software-Update</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>Alle Dateien(*.*)</translation>
    </message>
    <message>
        <source>The upgrade is failed!</source>
        <translation>Das Update ist fehlgeschlagen!</translation>
    </message>
    <message>
        <source>The upgrade is completed!</source>
        <translation>Das Update ist abgeschlossen!</translation>
    </message>
</context>
<context>
    <name>CWaitDialog</name>
    <message>
        <source>Please wait a minute.</source>
        <translation>Bitte einen Moment warten.</translation>
    </message>
</context>
<context>
    <name>PbButtons</name>
    <message>
        <source>Reverse</source>
        <translation>Rückwärts</translation>
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
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Step reverse</source>
        <translation>Einzelbild zurück</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>Einzelbild vor</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Langsamer</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Schneller</translation>
    </message>
</context>
<context>
    <name>UpLoader</name>
    <message>
        <source>Error: can&apos;t open file %1</source>
        <translation>Fehler: Datei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Netzwerkfehler: %1</translation>
    </message>
</context>
<context>
    <name>Viewer</name>
    <message>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Text files(*.txt)</source>
        <translation>Textdateien(*.txt)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Datei %1 kann nicht geschrieben werden:
%2.</translation>
    </message>
    <message>
        <source>File saved</source>
        <translation>Datei gespeichert</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Bitte einen Ordner wählen.</translation>
    </message>
    <message>
        <source>The image has been saved.</source>
        <translation>Das Bild wurde gespeichert.</translation>
    </message>
    <message>
        <source>The image could not be saved.</source>
        <translation>Das Bild konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Capture Images (*.png *.jpg)</source>
        <translation>Standbilder (*.png *.jpg)</translation>
    </message>
    <message>
        <source>The backup ended before its end time. The files written so far are in &quot;%1&quot;.</source>
        <translation>Die Sicherung endete vor ihrer Endzeit. Die bisher geschriebenen Dateien liegen in &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The changes to the DVR list are not saved (%1).</source>
        <translation>Die Änderungen an der DVR-Liste sind nicht gespeichert (%1).</translation>
    </message>
    <message>
        <source>The changes to the e-map list are not saved (%1).</source>
        <translation>Die Änderungen an der E-Map-Liste sind nicht gespeichert (%1).</translation>
    </message>
    <message>
        <source>Close the program all the same? These changes are lost then.</source>
        <translation>Das Programm trotzdem schließen? Diese Änderungen gehen dann verloren.</translation>
    </message>
    <message>
        <source>another mode was chosen</source>
        <translation>ein anderer Modus wurde gewählt</translation>
    </message>
</context>
<context>
    <name>ViewerClass</name>
    <message>
        <source>Live S</source>
        <translation>Live Einzel</translation>
    </message>
    <message>
        <source>Live M</source>
        <translation>Live Multi</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>E-Map</source>
        <translation>E-Map</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informationen</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>PC Setup</source>
        <translation>PC-Setup</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Verlassen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Setup Model</source>
        <translation>Modell wählen</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>Alle senden</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>Datum &amp;&amp; Zeit</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Digital Zoom</source>
        <translation>Digitalzoom</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Standbild</translation>
    </message>
    <message>
        <source>PC Record</source>
        <translation>PC-Aufnahme</translation>
    </message>
    <message>
        <source>DVR Record</source>
        <translation>DVR-Aufnahme</translation>
    </message>
</context>
</TS>
