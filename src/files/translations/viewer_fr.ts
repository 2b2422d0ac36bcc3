<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>CAutoPresetWidget</name>
    <message>
        <source>CAutoPresetWidget</source>
        <translation>CAutoPresetWidget</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Interval(sec)</source>
        <translation>Intervalle(s)</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Préréglage %1</translation>
    </message>
</context>
<context>
    <name>CBackupWidget</name>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Please connect a DVR first.</source>
        <translation>Veuillez d&apos;abord connecter un DVR.</translation>
    </message>
    <message>
        <source>Please select a channel.</source>
        <translation>Veuillez sélectionner un canal.</translation>
    </message>
    <message>
        <source>The end time is before the start time.</source>
        <translation>L&apos;heure de fin est antérieure à l&apos;heure de début.</translation>
    </message>
</context>
<context>
    <name>CCameraWidget</name>
    <message>
        <source>DVR Name : %1
</source>
        <translation>Nom du DVR : %1
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
        <translation>Utilisateur : %1
</translation>
    </message>
    <message>
        <source>Camera : %1
</source>
        <translation>Caméra : %1
</translation>
    </message>
    <message>
        <source>Please check the position of the camera.</source>
        <translation>Veuillez vérifier la position de la caméra.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
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
        <translation>Canal</translation>
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
        <translation>L’enregistrement de &quot;%1&quot; s’est arrêté avant que vous ne l’arrêtiez. Les fichiers écrits jusqu’ici se trouvent dans &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>CDVRInfoWidget</name>
    <message>
        <source>Information</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>Informations DVR</translation>
    </message>
    <message>
        <source>Reading the DVR information...</source>
        <translation>Lecture des informations du DVR...</translation>
    </message>
    <message>
        <source>No information was received from the DVR.</source>
        <translation>Aucune information n&apos;a été reçue du DVR.</translation>
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
        <translation>Caméra %1</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Ajouter un groupe</translation>
    </message>
    <message>
        <source>Group Name</source>
        <translation>Nom du groupe</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Modifier le groupe</translation>
    </message>
    <message>
        <source>Do you want to delete the group &quot;%1&quot; and its DVRs?</source>
        <translation>Voulez-vous supprimer le groupe « %1 » et ses DVR ?</translation>
    </message>
    <message>
        <source>Do you want to delete the DVR &quot;%1&quot;?</source>
        <translation>Voulez-vous supprimer le DVR « %1 » ?</translation>
    </message>
    <message>
        <source>The DVR list file was damaged. Read from it: %1 groups and %2 DVRs. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>Le fichier de la liste des DVR était endommagé. Lu : %1 groupes et %2 DVR. Le fichier endommagé est conservé sous &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>The DVR list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>Le fichier de la liste des DVR &quot;%1&quot; n&apos;a pas pu être lu (%2). La liste par défaut est affichée à la place ; rien n&apos;a été écrasé.</translation>
    </message>
    <message>
        <source>The DVR list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>Le fichier de la liste des DVR qui n&apos;a pas pu être lu au démarrage est conservé sous &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The DVR list could not be saved (%1).</source>
        <translation>La liste des DVR n&apos;a pas pu être enregistrée (%1).</translation>
    </message>
    <message>
        <source>The DVR list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>Le fichier de la liste des DVR a été modifié ailleurs depuis que ce programme l&apos;a lu ou enregistré pour la dernière fois. Cette version est conservée sous &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>CEMapList</name>
    <message>
        <source>Modify group name</source>
        <translation>Renommer le groupe</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Nom du groupe :</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map group?</source>
        <translation>Voulez-vous vraiment supprimer le groupe de cartes sélectionné ?</translation>
    </message>
    <message>
        <source>Are you sure you delete the selected map?</source>
        <translation>Voulez-vous vraiment supprimer la carte sélectionnée ?</translation>
    </message>
    <message>
        <source>The e-map list file was damaged. Read from it: %1 groups and %2 maps. The damaged file is kept as &quot;%3&quot;.</source>
        <translation>Le fichier de la liste des E-Maps était endommagé. Lu : %1 groupes et %2 plans. Le fichier endommagé est conservé sous &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>The e-map list file &quot;%1&quot; could not be read (%2). The default list is shown instead; nothing was overwritten.</source>
        <translation>Le fichier de la liste des E-Maps &quot;%1&quot; n&apos;a pas pu être lu (%2). La liste par défaut est affichée à la place ; rien n&apos;a été écrasé.</translation>
    </message>
    <message>
        <source>The e-map list file that could not be read at start is kept as &quot;%1&quot;.</source>
        <translation>Le fichier de la liste des E-Maps qui n&apos;a pas pu être lu au démarrage est conservé sous &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The e-map list could not be saved (%1).</source>
        <translation>La liste des E-Maps n&apos;a pas pu être enregistrée (%1).</translation>
    </message>
    <message>
        <source>The e-map list file was changed elsewhere after this program last read or saved it. That version is kept as &quot;%1&quot;.</source>
        <translation>Le fichier de la liste des E-Maps a été modifié ailleurs depuis que ce programme l&apos;a lu ou enregistré pour la dernière fois. Cette version est conservée sous &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>CEMapMenu</name>
    <message>
        <source>Add EMap</source>
        <translation>Ajouter une E-Map</translation>
    </message>
    <message>
        <source>Edit EMap</source>
        <translation>Modifier l&apos;E-Map</translation>
    </message>
    <message>
        <source>Delete EMap</source>
        <translation>Supprimer l&apos;E-Map</translation>
    </message>
</context>
<context>
    <name>CEMapSetupDialog</name>
    <message>
        <source>EMap Setup</source>
        <translation>Réglages E-Map</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Pop-up</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Fermeture</translation>
    </message>
    <message>
        <source>Image Size</source>
        <translation>Taille d&apos;image</translation>
    </message>
    <message>
        <source>Adjust</source>
        <translation>Ajustée</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Originale</translation>
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
        <translation>Veuillez vérifier les informations du DVR.</translation>
    </message>
    <message>
        <source>The camera is in the emap.</source>
        <translation>La caméra est déjà sur l&apos;E-Map.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Tout supprimer</translation>
    </message>
</context>
<context>
    <name>CEventSound</name>
    <message>
        <source>The alarm cannot sound: its sound cannot be read.</source>
        <translation>L'alarme ne peut pas sonner : son son ne peut pas être lu.</translation>
    </message>
    <message>
        <source>The alarm cannot sound: the sound output does not answer.</source>
        <translation>L'alarme ne peut pas sonner : la sortie audio ne répond pas.</translation>
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
        <translation>Disque</translation>
    </message>
    <message>
        <source>Total Space : </source>
        <translation>Espace total : </translation>
    </message>
    <message>
        <source>Used Space : </source>
        <translation>Espace utilisé : </translation>
    </message>
    <message>
        <source>Free Space : </source>
        <translation>Espace libre : </translation>
    </message>
    <message>
        <source>HDD %1</source>
        <translation>Disque %1</translation>
    </message>
</context>
<context>
    <name>CHttpConnect</name>
    <message>
        <source>[ERROR]user unknown</source>
        <translation>[ERREUR]utilisateur inconnu</translation>
    </message>
    <message>
        <source>[ERROR]password miss</source>
        <translation>[ERREUR]mot de passe incorrect</translation>
    </message>
    <message>
        <source>[ERROR]protocol version</source>
        <translation>[ERREUR]version de protocole incompatible</translation>
    </message>
    <message>
        <source>[ERROR]client limit</source>
        <translation>[ERREUR]nombre maximal de clients atteint</translation>
    </message>
    <message>
        <source>[ERROR]super exist</source>
        <translation>[ERREUR]un administrateur est déjà connecté</translation>
    </message>
    <message>
        <source>[ERROR]no video data</source>
        <translation>[ERREUR]aucune donnée vidéo</translation>
    </message>
    <message>
        <source>[ERROR]no video channel</source>
        <translation>[ERREUR]aucun canal vidéo</translation>
    </message>
    <message>
        <source>[ERROR]mpeg push end</source>
        <translation>[ERREUR]fin de l&apos;envoi du flux</translation>
    </message>
    <message>
        <source>[ERROR]connection timeout</source>
        <translation>[ERREUR]délai de connexion dépassé</translation>
    </message>
    <message>
        <source>[ERROR]unknown</source>
        <translation>[ERREUR]inconnue</translation>
    </message>
    <message>
        <source>[ERROR]permission denied</source>
        <translation>[ERREUR]accès refusé</translation>
    </message>
    <message>
        <source>[ERROR]network timeout</source>
        <translation>[ERREUR]délai réseau dépassé</translation>
    </message>
    <message>
        <source>[ERROR]request refused</source>
        <translation>[ERREUR]requête refusée</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Échec de la connexion</translation>
    </message>
    <message>
        <source>There is no more backup data. Or Connection failed</source>
        <translation>Plus de données à sauvegarder, ou échec de la connexion</translation>
    </message>
    <message>
        <source>The backup is complete.</source>
        <translation>La sauvegarde est terminée.</translation>
    </message>
    <message>
        <source>Waiting for the DVR to end the last stream</source>
        <translation>Attente de la fin du dernier flux par le DVR</translation>
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
        <translation>Informations système</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>H/W Version</source>
        <translation>Version matérielle</translation>
    </message>
    <message>
        <source>Kernel Version</source>
        <translation>Version du noyau</translation>
    </message>
    <message>
        <source>Ramdisk Version</source>
        <translation>Version du ramdisk</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>Adresse MAC</translation>
    </message>
    <message>
        <source>HDD Information</source>
        <translation>Informations disque</translation>
    </message>
    <message>
        <source>DVR Information</source>
        <translation>Informations DVR</translation>
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
        <translation>Patrouille</translation>
    </message>
    <message>
        <source>Rem. Port</source>
        <translation>Sortie relais</translation>
    </message>
    <message>
        <source>Picture ctrl</source>
        <translation>Réglage image</translation>
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
        <translation>Journal système</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utilisateur</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Événement</translation>
    </message>
</context>
<context>
    <name>CLogin</name>
    <message>
        <source>Login</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
</context>
<context>
    <name>CMenuDVRList</name>
    <message>
        <source>Connect</source>
        <translation>Connecter</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Déconnecter</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Ajouter un groupe</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Modifier le groupe</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>Supprimer le groupe</translation>
    </message>
    <message>
        <source>Add DVR</source>
        <translation>Ajouter un DVR</translation>
    </message>
    <message>
        <source>Edit DVR</source>
        <translation>Modifier le DVR</translation>
    </message>
    <message>
        <source>Delete DVR</source>
        <translation>Supprimer le DVR</translation>
    </message>
</context>
<context>
    <name>CModelInfoDialog</name>
    <message>
        <source>Model Info</source>
        <translation>Infos modèle</translation>
    </message>
    <message>
        <source>DVR Channels :</source>
        <translation>Canaux du DVR :</translation>
    </message>
    <message>
        <source>4 channels</source>
        <translation>4 canaux</translation>
    </message>
    <message>
        <source>8 channels</source>
        <translation>8 canaux</translation>
    </message>
    <message>
        <source>16 channels</source>
        <translation>16 canaux</translation>
    </message>
    <message>
        <source>Video Type :</source>
        <translation>Standard vidéo :</translation>
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
        <translation>Modèle de DVR :</translation>
    </message>
</context>
<context>
    <name>CMotionZoneDialog</name>
    <message>
        <source>Motion Zone</source>
        <translation>Zone de mouvement</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Sélection</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
</context>
<context>
    <name>CPCInfoPage</name>
    <message>
        <source>PC Information</source>
        <translation>Informations PC</translation>
    </message>
    <message>
        <source>Local Drive</source>
        <translation>Lecteur local</translation>
    </message>
    <message>
        <source>Record Folder</source>
        <translation>Dossier d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Lecteur</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
</context>
<context>
    <name>CPCSetupDialog</name>
    <message>
        <source>PC Setup</source>
        <translation>Réglages PC</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>PC Information</source>
        <translation>Informations PC</translation>
    </message>
</context>
<context>
    <name>CPCSetupPage</name>
    <message>
        <source>PC Setup</source>
        <translation>Réglages PC</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Sequence Interval (sec)</source>
        <translation>Intervalle de séquence (s)</translation>
    </message>
    <message>
        <source>Live View</source>
        <translation>Vue en direct</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Flux</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Reconnect</source>
        <translation>Reconnexion</translation>
    </message>
    <message>
        <source>OpenGL</source>
        <translation>OpenGL</translation>
    </message>
    <message>
        <source>On-Screen Display</source>
        <translation>Affichage à l&apos;écran</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Nom de caméra</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Alarm Sound</source>
        <translation>Son d&apos;alarme</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sauvegarde</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Record File Format</source>
        <translation>Format d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Capture File Format</source>
        <translation>Format de capture</translation>
    </message>
    <message>
        <source>Playback Mode</source>
        <translation>Mode de lecture</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Contour</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Principal</translation>
    </message>
    <message>
        <source>Sub</source>
        <translation>Secondaire</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Continu</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Sauter</translation>
    </message>
    <message>
        <source>OpenGL(High PC)</source>
        <translation>OpenGL (PC rapide)</translation>
    </message>
    <message>
        <source>OpenGL(Low PC)</source>
        <translation>OpenGL (PC lent)</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Veuillez sélectionner un dossier.</translation>
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
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>H.Sharpness</source>
        <translation>Netteté H</translation>
    </message>
    <message>
        <source>V.Sharpness</source>
        <translation>Netteté V</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
</context>
<context>
    <name>CPlaybackFile</name>
    <message>
        <source>Damaged file: %1</source>
        <translation>Fichier endommagé : %1</translation>
    </message>
    <message>
        <source>Missing file: %1</source>
        <translation>Fichier manquant : %1</translation>
    </message>
    <message>
        <source>No recording at this time</source>
        <translation>Aucun enregistrement à cette heure</translation>
    </message>
    <message>
        <source>End of the recordings</source>
        <translation>Fin des enregistrements</translation>
    </message>
</context>
<context>
    <name>CProgressDialog</name>
    <message>
        <source>Upgrading</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Annuler</translation>
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
        <translation>Focus</translation>
    </message>
    <message>
        <source>Iris</source>
        <translation>Iris</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Définir</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Aller</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Lente</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Rapide</translation>
    </message>
    <message>
        <source>Very Fast</source>
        <translation>Très rapide</translation>
    </message>
    <message>
        <source>preset %1</source>
        <translation>Préréglage %1</translation>
    </message>
</context>
<context>
    <name>CRecord</name>
    <message>
        <source>The folder cannot be written: %1</source>
        <translation>Impossible d&apos;écrire dans le dossier : %1</translation>
    </message>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Enregistrement arrêté : %1</translation>
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
        <translation>Arrêt auto :</translation>
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
        <translation>Marche</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Arrêt</translation>
    </message>
</context>
<context>
    <name>CSearchWidget</name>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Recherche...</translation>
    </message>
    <message>
        <source>No search data was received from the DVR.</source>
        <translation>Aucune donnée de recherche n&apos;a été reçue du DVR.</translation>
    </message>
    <message>
        <source>No recordings.</source>
        <translation>Aucun enregistrement.</translation>
    </message>
    <message>
        <source>Files not read: %1</source>
        <translation>Fichiers non lus : %1</translation>
    </message>
    <message>
        <source>Recorded minutes whose files are missing: %1</source>
        <translation>Minutes enregistrées dont les fichiers manquent : %1</translation>
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
        <translation>Mot de passe admin</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Veuillez remplir tous les champs.</translation>
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
        <translation>Canaux</translation>
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
        <translation>Durée d&apos;affichage</translation>
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
        <translation>Nom du DVR</translation>
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
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Canaux</translation>
    </message>
    <message>
        <source>View Channels</source>
        <translation>Canaux affichés</translation>
    </message>
    <message>
        <source>Old protocol</source>
        <translation>Ancien protocole</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Veuillez remplir tous les champs.</translation>
    </message>
</context>
<context>
    <name>CSetEMapInfoDialog</name>
    <message>
        <source>EMap Info</source>
        <translation>Infos E-Map</translation>
    </message>
    <message>
        <source>Group Name :</source>
        <translation>Nom du groupe :</translation>
    </message>
    <message>
        <source>EMap Name :</source>
        <translation>Nom de l&apos;E-Map :</translation>
    </message>
    <message>
        <source>Image Path :</source>
        <translation>Chemin de l&apos;image :</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Please fill in all blanks.</source>
        <translation>Veuillez remplir tous les champs.</translation>
    </message>
    <message>
        <source>Select a Image file</source>
        <translation>Sélectionner une image</translation>
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
        <translation>Administrateur</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utilisateur</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
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
        <translation>TOUS</translation>
    </message>
    <message>
        <source>PTZF Control</source>
        <translation>Contrôle PTZF</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sauvegarde</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>Network Timeout</source>
        <translation>Délai réseau</translation>
    </message>
    <message>
        <source>Network Prohibition</source>
        <translation>Blocage réseau</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Heure de début</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Heure de fin</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Log off</source>
        <translation>Déconnexion</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Wait time</source>
        <translation>Délai</translation>
    </message>
    <message>
        <source>Can&apos;t add same user.</source>
        <translation>Cet utilisateur existe déjà.</translation>
    </message>
    <message>
        <source>Another user already has this name.</source>
        <translation>Un autre utilisateur porte déjà ce nom.</translation>
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
        <translation>Nom</translation>
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
        <translation>Masquée</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Reverse Control</source>
        <translation>Inversion</translation>
    </message>
    <message>
        <source>Pan</source>
        <translation>Panoramique</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>Tilt</source>
        <translation>Inclinaison</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Débit en bauds</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Netteté</translation>
    </message>
    <message>
        <source>EQ</source>
        <translation>EQ</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>Séquence</translation>
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
        <translation>Mode</translation>
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
        <translation>Date et heure</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Set to PC time</source>
        <translation>Heure du PC</translation>
    </message>
    <message>
        <source>Apply to DVR</source>
        <translation>Appliquer au DVR</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
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
        <translation>Mouvement</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>Sensibilité</translation>
    </message>
    <message>
        <source>Detection Zone</source>
        <translation>Zone de détection</translation>
    </message>
    <message>
        <source>Popup</source>
        <translation>Pop-up</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>Popdown</source>
        <translation>Fermeture</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Capteur</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Liaison</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Échec enreg.</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Alerte enreg.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>Adresse e-mail</translation>
    </message>
    <message>
        <source>Receiver Address</source>
        <translation>Destinataires</translation>
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
        <translation>Expéditeur</translation>
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
        <translation>Authentification</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
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
        <translation>Paramètres d&apos;envoi</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Période</translation>
    </message>
    <message>
        <source>Prohibition</source>
        <translation>Interdiction</translation>
    </message>
    <message>
        <source>Start Hour</source>
        <translation>Heure de début</translation>
    </message>
    <message>
        <source>End Hour</source>
        <translation>Heure de fin</translation>
    </message>
    <message>
        <source>E-Mail Transfer Contents</source>
        <translation>Contenu des e-mails</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Perte vidéo</translation>
    </message>
    <message>
        <source>Record Status</source>
        <translation>État d&apos;enregistrement</translation>
    </message>
    <message>
        <source>System Access</source>
        <translation>Accès système</translation>
    </message>
    <message>
        <source>Record Time</source>
        <translation>Durée d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Post Alarm Record</source>
        <translation>Post-alarme</translation>
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
        <translation>Mode</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Write Mode</source>
        <translation>Mode d&apos;écriture</translation>
    </message>
    <message>
        <source>Force Deletion</source>
        <translation>Suppression forcée</translation>
    </message>
    <message>
        <source>S.M.A.R.T.</source>
        <translation>S.M.A.R.T.</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>Check Interval</source>
        <translation>Périodicité</translation>
    </message>
    <message>
        <source>ONCE</source>
        <translation>UNE FOIS</translation>
    </message>
    <message>
        <source>OVERWRITE</source>
        <translation>ÉCRASEMENT</translation>
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
        <translation>Limite de débit</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>Adresse IP</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Masque réseau</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Passerelle</translation>
    </message>
    <message>
        <source>DNS IP</source>
        <translation>IP DNS</translation>
    </message>
    <message>
        <source>UPNP</source>
        <translation>UPNP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>DDNS Link</source>
        <translation>Lien DDNS</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Identifiant</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>DDNS</source>
        <translation>DDNS</translation>
    </message>
    <message>
        <source>Hostname</source>
        <translation>Nom d&apos;hôte</translation>
    </message>
    <message>
        <source>Stream</source>
        <translation>Flux</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Canal</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Apply network TCP/IP &amp;&amp; DDNS configuration</source>
        <translation>Appliquer la configuration TCP/IP et DDNS</translation>
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
        <translation>Canal</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Event Quality</source>
        <translation>Qualité événement</translation>
    </message>
    <message>
        <source>Event FPS</source>
        <translation>FPS événement</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Planning</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuel</translation>
    </message>
    <message>
        <source>Continuous</source>
        <translation>Continu</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Mouvement</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Capteur</translation>
    </message>
    <message>
        <source>Motion + Sensor</source>
        <translation>Mouvement + capteur</translation>
    </message>
    <message>
        <source>Cont. + Event</source>
        <translation>Continu + évén.</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Numéro</translation>
    </message>
    <message>
        <source>Etc.</source>
        <translation>Divers</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>Time Overlay</source>
        <translation>Incrustation de l&apos;heure</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Starting Point</source>
        <translation>Point de départ</translation>
    </message>
    <message>
        <source>SUN</source>
        <translation>DIM</translation>
    </message>
    <message>
        <source>MON</source>
        <translation>LUN</translation>
    </message>
    <message>
        <source>TUE</source>
        <translation>MAR</translation>
    </message>
    <message>
        <source>WED</source>
        <translation>MER</translation>
    </message>
    <message>
        <source>THU</source>
        <translation>JEU</translation>
    </message>
    <message>
        <source>FRI</source>
        <translation>VEN</translation>
    </message>
    <message>
        <source>SAT</source>
        <translation>SAM</translation>
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
        <translation>Nom et ID</translation>
    </message>
    <message>
        <source>GroupInnerFrame</source>
        <translation>GroupInnerFrame</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Time &amp; Date</source>
        <translation>Date et heure</translation>
    </message>
    <message>
        <source>Time Format</source>
        <translation>Format de l&apos;heure</translation>
    </message>
    <message>
        <source>Date Format</source>
        <translation>Format de date</translation>
    </message>
    <message>
        <source>Timezone</source>
        <translation>Fuseau horaire</translation>
    </message>
    <message>
        <source>NTP</source>
        <translation>NTP</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>NTP Address</source>
        <translation>Serveur NTP</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Buzzer</translation>
    </message>
    <message>
        <source>Sensor</source>
        <translation>Capteur</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Mouvement</translation>
    </message>
    <message>
        <source>Video Loss</source>
        <translation>Perte vidéo</translation>
    </message>
    <message>
        <source>Record Fail</source>
        <translation>Échec enreg.</translation>
    </message>
    <message>
        <source>Record Warning</source>
        <translation>Alerte enreg.</translation>
    </message>
    <message>
        <source>Auto Reboot</source>
        <translation>Redémarrage auto</translation>
    </message>
    <message>
        <source>Day</source>
        <comment>day of week</comment>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Camera Name</source>
        <translation>Nom de caméra</translation>
    </message>
    <message>
        <source>Record Icon</source>
        <translation>Icône enreg.</translation>
    </message>
    <message>
        <source>Motion Icon</source>
        <translation>Icône mouvement</translation>
    </message>
    <message>
        <source>Sensor Icon</source>
        <translation>Icône capteur</translation>
    </message>
    <message>
        <source>Task Bar</source>
        <translation>Barre des tâches</translation>
    </message>
    <message>
        <source>VGA Mode</source>
        <translation>Mode VGA</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Dimanche</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samedi</translation>
    </message>
    <message>
        <source>Everyday</source>
        <translation>Tous les jours</translation>
    </message>
</context>
<context>
    <name>CSetupWidget</name>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>HDD</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Événement</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Caméra</translation>
    </message>
    <message>
        <source>The DVR configuration is of an unknown model (%1).</source>
        <translation>La configuration du DVR correspond à un modèle inconnu (%1).</translation>
    </message>
    <message>
        <source>The configuration of a DVR on the old protocol cannot be read.</source>
        <translation>La configuration d&apos;un DVR à l&apos;ancien protocole ne peut pas être lue.</translation>
    </message>
    <message>
        <source>The DVR configuration could not be read.</source>
        <translation>La configuration du DVR n&apos;a pas pu être lue.</translation>
    </message>
    <message>
        <source>The admin password must not be empty.</source>
        <translation>Le mot de passe admin ne doit pas être vide.</translation>
    </message>
    <message>
        <source>No configuration was read from the DVR. Send the default settings anyway?</source>
        <translation>Aucune configuration n&apos;a été lue sur le DVR. Envoyer quand même les réglages par défaut ?</translation>
    </message>
    <message>
        <source>The transmission error occurred!</source>
        <translation>Une erreur de transmission s&apos;est produite !</translation>
    </message>
    <message>
        <source>The DVR configuration is correctly transfered!</source>
        <translation>La configuration du DVR a bien été transférée !</translation>
    </message>
    <message>
        <source>Please select a configuration file.</source>
        <translation>Veuillez sélectionner un fichier de configuration.</translation>
    </message>
    <message>
        <source>Configs (*.conf)</source>
        <translation>Configurations (*.conf)</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened.</source>
        <translation>Le fichier %1 ne peut pas être ouvert.</translation>
    </message>
    <message>
        <source>The file %1 is not a DVR configuration.</source>
        <translation>Le fichier %1 n&apos;est pas une configuration de DVR.</translation>
    </message>
    <message>
        <source>The file name must end with &quot;.conf&quot;.</source>
        <translation>Le nom du fichier doit se terminer par « .conf ».</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>Le fichier %1 ne peut pas être écrit.</translation>
    </message>
</context>
<context>
    <name>CTimeLine</name>
    <message>
        <source>Hour</source>
        <translation>h</translation>
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
        <translation>Mise à jour logicielle</translation>
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
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Sélectionner un fichier</translation>
    </message>
    <message>
        <source>All files(*.*)</source>
        <translation>Tous les fichiers(*.*)</translation>
    </message>
    <message>
        <source>The upgrade is failed!</source>
        <translation>La mise à jour a échoué !</translation>
    </message>
    <message>
        <source>The upgrade is completed!</source>
        <translation>La mise à jour est terminée !</translation>
    </message>
</context>
<context>
    <name>CWaitDialog</name>
    <message>
        <source>Please wait a minute.</source>
        <translation>Veuillez patienter.</translation>
    </message>
</context>
<context>
    <name>PbButtons</name>
    <message>
        <source>Reverse</source>
        <translation>Lecture arrière</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Step reverse</source>
        <translation>Image précédente</translation>
    </message>
    <message>
        <source>Step forward</source>
        <translation>Image suivante</translation>
    </message>
    <message>
        <source>Slower</source>
        <translation>Plus lent</translation>
    </message>
    <message>
        <source>Faster</source>
        <translation>Plus rapide</translation>
    </message>
</context>
<context>
    <name>UpLoader</name>
    <message>
        <source>Error: can&apos;t open file %1</source>
        <translation>Erreur : impossible d&apos;ouvrir le fichier %1</translation>
    </message>
    <message>
        <source>Network error: %1</source>
        <translation>Erreur réseau : %1</translation>
    </message>
</context>
<context>
    <name>Viewer</name>
    <message>
        <source>Save File</source>
        <translation>Enregistrer le fichier</translation>
    </message>
    <message>
        <source>Text files(*.txt)</source>
        <translation>Fichiers texte(*.txt)</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>Impossible d&apos;écrire le fichier %1 :
%2.</translation>
    </message>
    <message>
        <source>File saved</source>
        <translation>Fichier enregistré</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Veuillez sélectionner un dossier.</translation>
    </message>
    <message>
        <source>The image has been saved.</source>
        <translation>L&apos;image a été enregistrée.</translation>
    </message>
    <message>
        <source>The image could not be saved.</source>
        <translation>L&apos;image n&apos;a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>Capture Images (*.png *.jpg)</source>
        <translation>Captures (*.png *.jpg)</translation>
    </message>
    <message>
        <source>The backup ended before its end time. The files written so far are in &quot;%1&quot;.</source>
        <translation>La sauvegarde s&apos;est arrêtée avant son heure de fin. Les fichiers écrits jusqu&apos;ici se trouvent dans &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The changes to the DVR list are not saved (%1).</source>
        <translation>Les modifications de la liste des DVR ne sont pas enregistrées (%1).</translation>
    </message>
    <message>
        <source>The changes to the e-map list are not saved (%1).</source>
        <translation>Les modifications de la liste des E-Maps ne sont pas enregistrées (%1).</translation>
    </message>
    <message>
        <source>Close the program all the same? These changes are lost then.</source>
        <translation>Fermer le programme quand même ? Ces modifications seront alors perdues.</translation>
    </message>
    <message>
        <source>another mode was chosen</source>
        <translation>un autre mode a été choisi</translation>
    </message>
</context>
<context>
    <name>ViewerClass</name>
    <message>
        <source>Live S</source>
        <translation>Direct simple</translation>
    </message>
    <message>
        <source>Live M</source>
        <translation>Direct multiple</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>Playback</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sauvegarde</translation>
    </message>
    <message>
        <source>E-Map</source>
        <translation>E-Map</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informations</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>PC Setup</source>
        <translation>Réglages PC</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Édition</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Setup Model</source>
        <translation>Choix modèle</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Recharger</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Apply All</source>
        <translation>Tout appliquer</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Mise à jour</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>Date &amp;&amp; heure</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinit.</translation>
    </message>
    <message>
        <source>Digital Zoom</source>
        <translation>Zoom numérique</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>PC Record</source>
        <translation>Enregistrement PC</translation>
    </message>
    <message>
        <source>DVR Record</source>
        <translation>Enregistrement DVR</translation>
    </message>
</context>
</TS>
