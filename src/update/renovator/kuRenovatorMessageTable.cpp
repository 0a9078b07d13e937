#include "update/renovator/kuRenovatorMessageTable.h"

namespace tessaro {

// UTF-8 texts; every language keeps the English format specifiers in order.
const std::array<TkuRenovatorMessages, kuRenovatorLanguageCount> kuRenovatorMessageTable = {{
    // English
    {{
        "Application update wizard",
        "Downloading files...",
        "Upgrade completed!",
        "Current file",
        "All files",
        "Downloading file from",
        "File size: %.1f Kb",
        "Transfer rate: %.1f Kb/s",
        "Estimated time left: %d:%.2d:%.2d",
        "Downloading %d of %d",
        "The update of %s has been successfully completed.\n\nPress the OK button to restart "
        "program.",
        "Enter password",
        "User Name",
        "Password",
        "&Yes",
        "&No",
        "&OK",
        "&Cancel",
        "&Next >",
        "&Later",
        "Warning",
        "Error",
        "Preparing. . .",
        "A newer version of %s was released.\n%s\nDo you want to update your version with the "
        "latest one?",
        "Newer version not found. You actually are\nusing most recent version of this program.",
        "File which contains upgrade information was not found on developer's site.",
        "Host %s unreachable.\n\nPlease check your Internet connection and\ntry to upgrade this "
        "software again later.",
        "The update is not completed.\nWould you like to abort upgrading?",
        "File %s not found or inaccessible.\n\nTry to skip this file and continue upgrade?",
        "Access to remote file \"%s\" is password protected.\n\nPlease enter your username and "
        "password (received after registration) to continue software upgrade.",
        "Connection with remote server lost.\n\nPlease restore connection and try to\nupgrade this "
        "software again later.",
        "The update of %s could not be verified as coming from its publisher and was not "
        "installed.\n\nNothing has been changed.",
        "%s is larger than an update may be and was not downloaded.\n\nNothing has been changed.",
        "There is not enough free disk space to download %s.\n\nNothing has been changed. Please "
        "free some space and try to\nupgrade this software again later.",
        "The update of %s would write a file outside the program's folder and was not "
        "installed.\n\nNothing has been changed.",
        "%s is installed where you cannot change it.\n\nIts owner or the system's package manager "
        "updates it; nothing has been downloaded.",
        "The update of %s was not completed:\n\n%s",
        "%d files will be installed and %d were skipped: the update of %s is not "
        "complete.\n\nPress the OK button to restart program.",
        "Upgrade not complete",
        "A newer version of %s has been released (%s).\n\nThis installation belongs to the "
        "system's package manager: please update it through the package manager.",
    }},
    // Russian
    {{
        "Мастер обновления приложения",
        "Загрузка файлов...",
        "Обновление завершено!",
        "Текущий файл",
        "Все файлы",
        "Загрузка файла с адреса",
        "Размер файла: %.1f КБ",
        "Скорость передачи: %.1f КБ/с",
        "Оставшееся время: %d:%.2d:%.2d",
        "Загрузка файла %d из %d",
        "Обновление %s успешно завершено.\n\nНажмите кнопку OK, чтобы перезапустить программу.",
        "Введите пароль",
        "Имя пользователя",
        "Пароль",
        "&Да",
        "&Нет",
        "&OK",
        "&Отмена",
        "&Далее >",
        "&Позже",
        "Предупреждение",
        "Ошибка",
        "Подготовка. . .",
        "Вышла новая версия %s.\n%s\nХотите обновить программу до последней версии?",
        "Более новая версия не найдена. Вы уже используете\nпоследнюю версию этой программы.",
        "Файл с информацией об обновлении не найден на сайте разработчика.",
        "Сервер %s недоступен.\n\nПроверьте подключение к Интернету и\nповторите попытку "
        "обновления позже.",
        "Обновление не завершено.\nПрервать обновление?",
        "Файл %s не найден или недоступен.\n\nПропустить этот файл и продолжить обновление?",
        "Доступ к удалённому файлу «%s» защищён паролем.\n\nВведите имя пользователя и пароль "
        "(полученные при регистрации), чтобы продолжить обновление программы.",
        "Соединение с удалённым сервером потеряно.\n\nВосстановите соединение и повторите\nпопытку "
        "обновления позже.",
        "Не удалось подтвердить, что обновление %s получено от его издателя, поэтому оно не было "
        "установлено.\n\nНикаких изменений не внесено.",
        "Файл %s больше, чем допустимо для обновления, и не был загружен.\n\nНичего не изменено.",
        "Недостаточно свободного места на диске для загрузки %s.\n\nНичего не изменено. Освободите "
        "место и попробуйте\nобновить программу позже.",
        "Обновление %s записало бы файл за пределами папки программы и не было "
        "установлено.\n\nНичего не изменено.",
        "Программа %s установлена там, где вы не можете её изменить.\n\nЕё обновляет владелец или "
        "менеджер пакетов системы; ничего не загружено.",
        "Обновление %s не было завершено:\n\n%s",
        "Будет установлено файлов: %d, пропущено: %d. Обновление %s не завершено "
        "полностью.\n\nНажмите кнопку OK, чтобы перезапустить программу.",
        "Обновление не завершено",
        "Вышла новая версия %s (%s).\n\nЭта установка принадлежит системному менеджеру пакетов: "
        "обновите её с помощью менеджера пакетов.",
    }},
    // German
    {{
        "Upgrade Anwendungsassistent",
        "Dateien werden heruntergeladen...",
        "Aktualisierung abgeschlossen!",
        "Aktuelle Datei",
        "Alle Dateien",
        "Datei wird heruntergeladen von",
        "Dateigröße: %.1f KB",
        "Übertragungsrate: %.1f KB/s",
        "Geschätzte Restzeit: %d:%.2d:%.2d",
        "Datei %d von %d wird heruntergeladen",
        "Die Aktualisierung von %s wurde erfolgreich abgeschlossen.\n\nKlicken Sie auf OK, um das "
        "Programm neu zu starten.",
        "Kennwort eingeben",
        "Benutzername",
        "Kennwort",
        "&Ja",
        "&Nein",
        "&OK",
        "&Abbrechen",
        "&Weiter >",
        "&Später",
        "Warnung",
        "Fehler",
        "Vorbereitung. . .",
        "Eine neue Version von %s ist erschienen.\n%s\nMöchten Sie Ihre Version auf die neueste "
        "Version aktualisieren?",
        "Keine neuere Version gefunden. Sie verwenden bereits\ndie aktuellste Version dieses "
        "Programms.",
        "Die Datei mit den Aktualisierungsinformationen wurde auf der Website des Entwicklers "
        "nicht gefunden.",
        "Der Server %s ist nicht erreichbar.\n\nBitte überprüfen Sie Ihre Internetverbindung "
        "und\nversuchen Sie die Aktualisierung später erneut.",
        "Die Aktualisierung ist nicht abgeschlossen.\nMöchten Sie die Aktualisierung abbrechen?",
        "Die Datei %s wurde nicht gefunden oder ist nicht zugänglich.\n\nMöchten Sie diese Datei "
        "überspringen und die Aktualisierung fortsetzen?",
        "Der Zugriff auf die Remotedatei „%s“ ist kennwortgeschützt.\n\nBitte geben Sie Ihren "
        "Benutzernamen und Ihr Kennwort (nach der Registrierung erhalten) ein, um die "
        "Aktualisierung fortzusetzen.",
        "Die Verbindung zum Remoteserver wurde unterbrochen.\n\nBitte stellen Sie die Verbindung "
        "wieder her und\nversuchen Sie die Aktualisierung später erneut.",
        "Es konnte nicht bestätigt werden, dass die Aktualisierung von %s vom Herausgeber stammt. "
        "Sie wurde daher nicht installiert.\n\nEs wurde nichts geändert.",
        "%s ist größer, als ein Update sein darf, und wurde nicht heruntergeladen.\n\nEs wurde "
        "nichts geändert.",
        "Es ist nicht genügend freier Speicherplatz vorhanden, um %s herunterzuladen.\n\nEs wurde "
        "nichts geändert. Bitte schaffen Sie Platz und versuchen Sie\ndas Update später erneut.",
        "Das Update von %s würde eine Datei außerhalb des Programmordners schreiben und wurde "
        "nicht installiert.\n\nEs wurde nichts geändert.",
        "%s ist an einem Ort installiert, den Sie nicht ändern können.\n\nAktualisiert wird es von "
        "seinem Besitzer oder der Paketverwaltung des Systems; es wurde nichts heruntergeladen.",
        "Das Update von %s wurde nicht abgeschlossen:\n\n%s",
        "%d Dateien werden installiert und %d wurden übersprungen: Das Update von %s ist nicht "
        "vollständig.\n\nKlicken Sie auf OK, um das Programm neu zu starten.",
        "Update unvollständig",
        "Eine neuere Version von %s ist erschienen (%s).\n\nDiese Installation gehört zur "
        "Paketverwaltung des Systems: Bitte aktualisieren Sie sie über die Paketverwaltung.",
    }},
    // French
    {{
        "Assistant de mise à jour de l'application",
        "Téléchargement des fichiers...",
        "Mise à jour terminée !",
        "Fichier en cours",
        "Tous les fichiers",
        "Téléchargement du fichier depuis",
        "Taille du fichier : %.1f Ko",
        "Vitesse de transfert : %.1f Ko/s",
        "Temps restant estimé : %d:%.2d:%.2d",
        "Téléchargement du fichier %d sur %d",
        "La mise à jour de %s s'est terminée avec succès.\n\nCliquez sur le bouton OK pour "
        "redémarrer le programme.",
        "Saisie du mot de passe",
        "Nom d'utilisateur",
        "Mot de passe",
        "&Oui",
        "&Non",
        "&OK",
        "&Annuler",
        "&Suivant >",
        "&Plus tard",
        "Avertissement",
        "Erreur",
        "Préparation. . .",
        "Une nouvelle version de %s a été publiée.\n%s\nVoulez-vous mettre à jour votre version "
        "avec la plus récente ?",
        "Aucune version plus récente n'a été trouvée. Vous utilisez déjà\nla version la plus "
        "récente de ce programme.",
        "Le fichier contenant les informations de mise à jour est introuvable sur le site du "
        "développeur.",
        "L'hôte %s est inaccessible.\n\nVérifiez votre connexion Internet et\nréessayez de mettre "
        "à jour ce logiciel plus tard.",
        "La mise à jour n'est pas terminée.\nVoulez-vous abandonner la mise à jour ?",
        "Le fichier %s est introuvable ou inaccessible.\n\nVoulez-vous ignorer ce fichier et "
        "poursuivre la mise à jour ?",
        "L'accès au fichier distant « %s » est protégé par mot de passe.\n\nVeuillez saisir votre "
        "nom d'utilisateur et votre mot de passe (reçus lors de l'enregistrement) pour poursuivre "
        "la mise à jour du logiciel.",
        "La connexion avec le serveur distant a été perdue.\n\nRétablissez la connexion et "
        "réessayez\nde mettre à jour ce logiciel plus tard.",
        "Impossible de vérifier que la mise à jour de %s provient bien de son éditeur : elle n'a "
        "pas été installée.\n\nAucune modification n'a été apportée.",
        "%s dépasse la taille permise pour une mise à jour et n'a pas été téléchargé.\n\nRien n'a "
        "été modifié.",
        "L'espace disque libre est insuffisant pour télécharger %s.\n\nRien n'a été modifié. "
        "Libérez de l'espace et réessayez\nla mise à jour plus tard.",
        "La mise à jour de %s écrirait un fichier hors du dossier du programme et n'a pas été "
        "installée.\n\nRien n'a été modifié.",
        "%s est installé à un emplacement que vous ne pouvez pas modifier.\n\nSon propriétaire ou "
        "le gestionnaire de paquets du système le met à jour ; rien n'a été téléchargé.",
        "La mise à jour de %s n'a pas été terminée :\n\n%s",
        "%d fichiers seront installés et %d ont été ignorés : la mise à jour de %s n'est pas "
        "complète.\n\nCliquez sur OK pour redémarrer le programme.",
        "Mise à jour incomplète",
        "Une nouvelle version de %s est disponible (%s).\n\nCette installation appartient au "
        "gestionnaire de paquets du système : veuillez la mettre à jour avec le gestionnaire de "
        "paquets.",
    }},
    // Spanish
    {{
        "Asistente de actualización de la aplicación",
        "Descargando archivos...",
        "¡Actualización completada!",
        "Archivo actual",
        "Todos los archivos",
        "Descargando archivo desde",
        "Tamaño del archivo: %.1f KB",
        "Velocidad de transferencia: %.1f KB/s",
        "Tiempo restante estimado: %d:%.2d:%.2d",
        "Descargando archivo %d de %d",
        "La actualización de %s se ha completado correctamente.\n\nPulse el botón Aceptar para "
        "reiniciar el programa.",
        "Introducir contraseña",
        "Nombre de usuario",
        "Contraseña",
        "&Sí",
        "&No",
        "&Aceptar",
        "&Cancelar",
        "&Siguiente >",
        "&Más tarde",
        "Advertencia",
        "Error",
        "Preparando. . .",
        "Se ha publicado una nueva versión de %s.\n%s\n¿Desea actualizar su versión a la más "
        "reciente?",
        "No se ha encontrado ninguna versión más reciente. Ya está usando\nla versión más reciente "
        "de este programa.",
        "No se ha encontrado en el sitio del desarrollador el archivo que contiene la información "
        "de actualización.",
        "No se puede acceder al host %s.\n\nCompruebe su conexión a Internet e\nintente actualizar "
        "este software más tarde.",
        "La actualización no se ha completado.\n¿Desea cancelar la actualización?",
        "No se ha encontrado el archivo %s o no se puede acceder a él.\n\n¿Desea omitir este "
        "archivo y continuar con la actualización?",
        "El acceso al archivo remoto \"%s\" está protegido con contraseña.\n\nIntroduzca su nombre "
        "de usuario y su contraseña (recibidos al registrarse) para continuar con la actualización "
        "del software.",
        "Se ha perdido la conexión con el servidor remoto.\n\nRestablezca la conexión e "
        "intente\nactualizar este software más tarde.",
        "No se ha podido verificar que la actualización de %s proceda de su editor, por lo que no "
        "se ha instalado.\n\nNo se ha modificado nada.",
        "%s es más grande de lo que puede ser una actualización y no se ha descargado.\n\nNo se ha "
        "cambiado nada.",
        "No hay suficiente espacio libre en el disco para descargar %s.\n\nNo se ha cambiado nada. "
        "Libere espacio e intente\nactualizar el programa más tarde.",
        "La actualización de %s escribiría un archivo fuera de la carpeta del programa y no se ha "
        "instalado.\n\nNo se ha cambiado nada.",
        "%s está instalado donde usted no puede modificarlo.\n\nLo actualiza su propietario o el "
        "gestor de paquetes del sistema; no se ha descargado nada.",
        "La actualización de %s no se ha completado:\n\n%s",
        "Se instalarán %d archivos y se han omitido %d: la actualización de %s no está "
        "completa.\n\nPulse el botón Aceptar para reiniciar el programa.",
        "Actualización incompleta",
        "Se ha publicado una versión más reciente de %s (%s).\n\nEsta instalación pertenece al "
        "gestor de paquetes del sistema: actualícela mediante el gestor de paquetes.",
    }},
    // Portuguese
    {{
        "Assistente de atualização da aplicação",
        "A transferir ficheiros...",
        "Atualização concluída!",
        "Ficheiro atual",
        "Todos os ficheiros",
        "A transferir ficheiro de",
        "Tamanho do ficheiro: %.1f KB",
        "Velocidade de transferência: %.1f KB/s",
        "Tempo restante estimado: %d:%.2d:%.2d",
        "A transferir o ficheiro %d de %d",
        "A atualização de %s foi concluída com êxito.\n\nPrima o botão OK para reiniciar o "
        "programa.",
        "Introduzir palavra-passe",
        "Nome de utilizador",
        "Palavra-passe",
        "&Sim",
        "&Não",
        "&OK",
        "&Cancelar",
        "&Seguinte >",
        "&Mais tarde",
        "Aviso",
        "Erro",
        "A preparar. . .",
        "Foi lançada uma nova versão de %s.\n%s\nPretende atualizar a sua versão para a mais "
        "recente?",
        "Não foi encontrada nenhuma versão mais recente. Já está a utilizar\na versão mais recente "
        "deste programa.",
        "O ficheiro com as informações de atualização não foi encontrado no site do programador.",
        "O servidor %s está inacessível.\n\nVerifique a sua ligação à Internet e\ntente atualizar "
        "este software mais tarde.",
        "A atualização não está concluída.\nPretende cancelar a atualização?",
        "O ficheiro %s não foi encontrado ou está inacessível.\n\nPretende ignorar este ficheiro e "
        "continuar a atualização?",
        "O acesso ao ficheiro remoto \"%s\" está protegido por palavra-passe.\n\nIntroduza o seu "
        "nome de utilizador e a sua palavra-passe (recebidos após o registo) para continuar a "
        "atualização do software.",
        "A ligação ao servidor remoto foi perdida.\n\nRestabeleça a ligação e tente\natualizar "
        "este software mais tarde.",
        "Não foi possível confirmar que a atualização de %s provém do respetivo editor, pelo que "
        "não foi instalada.\n\nNão foi efetuada nenhuma alteração.",
        "%s é maior do que uma actualização pode ser e não foi transferido.\n\nNada foi alterado.",
        "Não há espaço livre suficiente no disco para transferir %s.\n\nNada foi alterado. Liberte "
        "espaço e tente\nactualizar o programa mais tarde.",
        "A actualização de %s escreveria um ficheiro fora da pasta do programa e não foi "
        "instalada.\n\nNada foi alterado.",
        "%s está instalado onde não o pode alterar.\n\nÉ actualizado pelo seu proprietário ou pelo "
        "gestor de pacotes do sistema; nada foi transferido.",
        "A actualização de %s não foi concluída:\n\n%s",
        "Serão instalados %d ficheiros e %d foram ignorados: a actualização de %s não está "
        "completa.\n\nPrima o botão OK para reiniciar o programa.",
        "Actualização incompleta",
        "Foi lançada uma versão mais recente de %s (%s).\n\nEsta instalação pertence ao gestor de "
        "pacotes do sistema: atualize-a através do gestor de pacotes.",
    }},
    // Portuguese (Brazil)
    {{
        "Assistente de atualização do aplicativo",
        "Baixando arquivos...",
        "Atualização concluída!",
        "Arquivo atual",
        "Todos os arquivos",
        "Baixando arquivo de",
        "Tamanho do arquivo: %.1f KB",
        "Taxa de transferência: %.1f KB/s",
        "Tempo restante estimado: %d:%.2d:%.2d",
        "Baixando arquivo %d de %d",
        "A atualização de %s foi concluída com sucesso.\n\nClique no botão OK para reiniciar o "
        "programa.",
        "Digite a senha",
        "Nome de usuário",
        "Senha",
        "&Sim",
        "&Não",
        "&OK",
        "&Cancelar",
        "&Avançar >",
        "&Mais tarde",
        "Aviso",
        "Erro",
        "Preparando. . .",
        "Uma nova versão de %s foi lançada.\n%s\nDeseja atualizar sua versão para a mais recente?",
        "Nenhuma versão mais recente foi encontrada. Você já está usando\na versão mais recente "
        "deste programa.",
        "O arquivo com as informações de atualização não foi encontrado no site do desenvolvedor.",
        "O servidor %s está inacessível.\n\nVerifique sua conexão com a Internet e\ntente "
        "atualizar este software mais tarde.",
        "A atualização não foi concluída.\nDeseja cancelar a atualização?",
        "O arquivo %s não foi encontrado ou está inacessível.\n\nDeseja ignorar este arquivo e "
        "continuar a atualização?",
        "O acesso ao arquivo remoto \"%s\" é protegido por senha.\n\nDigite seu nome de usuário e "
        "sua senha (recebidos após o cadastro) para continuar a atualização do software.",
        "A conexão com o servidor remoto foi perdida.\n\nRestabeleça a conexão e tente\natualizar "
        "este software mais tarde.",
        "Não foi possível confirmar que a atualização de %s vem do seu fornecedor, por isso ela "
        "não foi instalada.\n\nNenhuma alteração foi feita.",
        "%s é maior do que uma atualização pode ser e não foi baixado.\n\nNada foi alterado.",
        "Não há espaço livre suficiente no disco para baixar %s.\n\nNada foi alterado. Libere "
        "espaço e tente\natualizar o programa mais tarde.",
        "A atualização de %s gravaria um arquivo fora da pasta do programa e não foi "
        "instalada.\n\nNada foi alterado.",
        "%s está instalado onde você não pode alterá-lo.\n\nEle é atualizado pelo proprietário ou "
        "pelo gerenciador de pacotes do sistema; nada foi baixado.",
        "A atualização de %s não foi concluída:\n\n%s",
        "Serão instalados %d arquivos e %d foram ignorados: a atualização de %s não está "
        "completa.\n\nClique no botão OK para reiniciar o programa.",
        "Atualização incompleta",
        "Uma versão mais recente de %s foi lançada (%s).\n\nEsta instalação pertence ao "
        "gerenciador de pacotes do sistema: atualize-a pelo gerenciador de pacotes.",
    }},
    // Italian
    {{
        "Procedura guidata di aggiornamento dell'applicazione",
        "Download dei file in corso...",
        "Aggiornamento completato!",
        "File corrente",
        "Tutti i file",
        "Download del file da",
        "Dimensione file: %.1f KB",
        "Velocità di trasferimento: %.1f KB/s",
        "Tempo residuo stimato: %d:%.2d:%.2d",
        "Download del file %d di %d",
        "L'aggiornamento di %s è stato completato correttamente.\n\nFare clic sul pulsante OK per "
        "riavviare il programma.",
        "Immissione password",
        "Nome utente",
        "Password",
        "&Sì",
        "&No",
        "&OK",
        "&Annulla",
        "&Avanti >",
        "&Più tardi",
        "Avviso",
        "Errore",
        "Preparazione. . .",
        "È stata rilasciata una nuova versione di %s.\n%s\nAggiornare la versione in uso a quella "
        "più recente?",
        "Nessuna versione più recente trovata. Si sta già utilizzando\nla versione più recente di "
        "questo programma.",
        "Il file contenente le informazioni di aggiornamento non è stato trovato sul sito dello "
        "sviluppatore.",
        "L'host %s non è raggiungibile.\n\nVerificare la connessione a Internet e\nriprovare ad "
        "aggiornare il software più tardi.",
        "L'aggiornamento non è stato completato.\nInterrompere l'aggiornamento?",
        "File %s non trovato o non accessibile.\n\nIgnorare questo file e continuare "
        "l'aggiornamento?",
        "L'accesso al file remoto \"%s\" è protetto da password.\n\nImmettere il nome utente e la "
        "password (ricevuti dopo la registrazione) per continuare l'aggiornamento del software.",
        "Connessione con il server remoto interrotta.\n\nRipristinare la connessione e "
        "riprovare\nad aggiornare il software più tardi.",
        "Non è stato possibile verificare che l'aggiornamento di %s provenga dal relativo editore, "
        "pertanto non è stato installato.\n\nNon è stata apportata alcuna modifica.",
        "%s è più grande di quanto possa essere un aggiornamento e non è stato scaricato.\n\nNon è "
        "stato modificato nulla.",
        "Lo spazio libero su disco non è sufficiente per scaricare %s.\n\nNon è stato modificato "
        "nulla. Liberare spazio e riprovare\nl'aggiornamento più tardi.",
        "L'aggiornamento di %s scriverebbe un file fuori dalla cartella del programma e non è "
        "stato installato.\n\nNon è stato modificato nulla.",
        "%s è installato in una posizione che non è possibile modificare.\n\nLo aggiorna il suo "
        "proprietario o il gestore dei pacchetti del sistema; non è stato scaricato nulla.",
        "L'aggiornamento di %s non è stato completato:\n\n%s",
        "Verranno installati %d file e %d sono stati saltati: l'aggiornamento di %s non è "
        "completo.\n\nPremere OK per riavviare il programma.",
        "Aggiornamento incompleto",
        "È stata rilasciata una versione più recente di %s (%s).\n\nQuesta installazione "
        "appartiene al gestore di pacchetti del sistema: per aggiornarla usare il gestore di "
        "pacchetti.",
    }},
    // Dutch
    {{
        "Wizard voor het bijwerken van de toepassing",
        "Bestanden downloaden...",
        "Bijwerken voltooid!",
        "Huidig bestand",
        "Alle bestanden",
        "Bestand downloaden van",
        "Bestandsgrootte: %.1f kB",
        "Overdrachtssnelheid: %.1f kB/s",
        "Geschatte resterende tijd: %d:%.2d:%.2d",
        "Bestand %d van %d downloaden",
        "Het bijwerken van %s is voltooid.\n\nKlik op de knop OK om het programma opnieuw te "
        "starten.",
        "Wachtwoord invoeren",
        "Gebruikersnaam",
        "Wachtwoord",
        "&Ja",
        "&Nee",
        "&OK",
        "&Annuleren",
        "&Volgende >",
        "&Later",
        "Waarschuwing",
        "Fout",
        "Voorbereiden. . .",
        "Er is een nieuwe versie van %s uitgebracht.\n%s\nWilt u uw versie bijwerken naar de "
        "nieuwste versie?",
        "Geen nieuwere versie gevonden. U gebruikt al\nde nieuwste versie van dit programma.",
        "Het bestand met de update-informatie is niet gevonden op de website van de ontwikkelaar.",
        "Host %s is niet bereikbaar.\n\nControleer uw internetverbinding en\nprobeer deze software "
        "later opnieuw bij te werken.",
        "Het bijwerken is niet voltooid.\nWilt u het bijwerken afbreken?",
        "Bestand %s is niet gevonden of is niet toegankelijk.\n\nWilt u dit bestand overslaan en "
        "doorgaan met bijwerken?",
        "De toegang tot het externe bestand \"%s\" is met een wachtwoord beveiligd.\n\nVoer uw "
        "gebruikersnaam en wachtwoord in (ontvangen na registratie) om door te gaan met het "
        "bijwerken van de software.",
        "De verbinding met de externe server is verbroken.\n\nHerstel de verbinding en "
        "probeer\ndeze software later opnieuw bij te werken.",
        "Er kon niet worden geverifieerd dat de update van %s afkomstig is van de uitgever. De "
        "update is daarom niet geïnstalleerd.\n\nEr is niets gewijzigd.",
        "%s is groter dan een update mag zijn en is niet gedownload.\n\nEr is niets gewijzigd.",
        "Er is niet genoeg vrije schijfruimte om %s te downloaden.\n\nEr is niets gewijzigd. Maak "
        "ruimte vrij en probeer\nde update later opnieuw.",
        "De update van %s zou een bestand buiten de programmamap schrijven en is niet "
        "geïnstalleerd.\n\nEr is niets gewijzigd.",
        "%s is geïnstalleerd op een plek die u niet kunt wijzigen.\n\nDe eigenaar of het "
        "pakketbeheer van het systeem werkt het bij; er is niets gedownload.",
        "De update van %s is niet voltooid:\n\n%s",
        "%d bestanden worden geïnstalleerd en %d zijn overgeslagen: de update van %s is niet "
        "volledig.\n\nKlik op OK om het programma opnieuw te starten.",
        "Update onvolledig",
        "Er is een nieuwere versie van %s uitgebracht (%s).\n\nDeze installatie hoort bij het "
        "pakketbeheer van het systeem: werk haar bij via het pakketbeheer.",
    }},
    // Danish
    {{
        "Guide til programopdatering",
        "Henter filer...",
        "Opdateringen er fuldført!",
        "Aktuel fil",
        "Alle filer",
        "Henter fil fra",
        "Filstørrelse: %.1f KB",
        "Overførselshastighed: %.1f KB/s",
        "Anslået resterende tid: %d:%.2d:%.2d",
        "Henter fil %d af %d",
        "Opdateringen af %s er fuldført.\n\nKlik på knappen OK for at genstarte programmet.",
        "Angiv adgangskode",
        "Brugernavn",
        "Adgangskode",
        "&Ja",
        "&Nej",
        "&OK",
        "&Annuller",
        "&Næste >",
        "&Senere",
        "Advarsel",
        "Fejl",
        "Forbereder. . .",
        "Der er udgivet en ny version af %s.\n%s\nVil du opdatere din version til den nyeste?",
        "Der blev ikke fundet en nyere version. Du bruger allerede\nden nyeste version af dette "
        "program.",
        "Filen med opdateringsoplysninger blev ikke fundet på udviklerens websted.",
        "Værten %s kan ikke nås.\n\nKontrollér din internetforbindelse, og\nprøv at opdatere "
        "programmet igen senere.",
        "Opdateringen er ikke fuldført.\nVil du afbryde opdateringen?",
        "Filen %s blev ikke fundet eller er ikke tilgængelig.\n\nVil du springe filen over og "
        "fortsætte opdateringen?",
        "Adgangen til fjernfilen \"%s\" er beskyttet med adgangskode.\n\nAngiv dit brugernavn og "
        "din adgangskode (modtaget ved registreringen) for at fortsætte opdateringen af "
        "programmet.",
        "Forbindelsen til fjernserveren blev afbrudt.\n\nGenopret forbindelsen, og prøv "
        "at\nopdatere programmet igen senere.",
        "Det kunne ikke bekræftes, at opdateringen af %s kommer fra udgiveren, så den blev ikke "
        "installeret.\n\nIntet er blevet ændret.",
        "%s er større, end en opdatering må være, og blev ikke hentet.\n\nIntet er ændret.",
        "Der er ikke nok ledig diskplads til at hente %s.\n\nIntet er ændret. Frigør plads, og "
        "prøv at\nopdatere programmet igen senere.",
        "Opdateringen af %s ville skrive en fil uden for programmets mappe og blev ikke "
        "installeret.\n\nIntet er ændret.",
        "%s er installeret et sted, du ikke kan ændre.\n\nDet opdateres af ejeren eller systemets "
        "pakkehåndtering; intet er hentet.",
        "Opdateringen af %s blev ikke fuldført:\n\n%s",
        "%d filer bliver installeret, og %d blev sprunget over: opdateringen af %s er ikke "
        "fuldstændig.\n\nTryk på OK for at genstarte programmet.",
        "Opdatering ufuldstændig",
        "En nyere version af %s er udgivet (%s).\n\nDenne installation hører til systemets "
        "pakkehåndtering: opdater den via pakkehåndteringen.",
    }},
    // Swedish
    {{
        "Uppdateringsguide för programmet",
        "Hämtar filer...",
        "Uppgraderingen är klar!",
        "Aktuell fil",
        "Alla filer",
        "Hämtar fil från",
        "Filstorlek: %.1f kB",
        "Överföringshastighet: %.1f kB/s",
        "Beräknad återstående tid: %d:%.2d:%.2d",
        "Hämtar %d av %d",
        "Uppdateringen av %s har slutförts.\n\nKlicka på OK för att starta om programmet.",
        "Ange lösenord",
        "Användarnamn",
        "Lösenord",
        "&Ja",
        "&Nej",
        "&OK",
        "&Avbryt",
        "&Nästa >",
        "&Senare",
        "Varning",
        "Fel",
        "Förbereder. . .",
        "En nyare version av %s har släppts.\n%s\nVill du uppdatera till den senaste versionen?",
        "Ingen nyare version hittades. Du använder redan\nden senaste versionen av programmet.",
        "Filen med uppgraderingsinformation hittades inte på utvecklarens webbplats.",
        "Det går inte att nå värden %s.\n\nKontrollera din internetanslutning och\nförsök "
        "uppgradera programmet igen senare.",
        "Uppdateringen är inte slutförd.\nVill du avbryta uppgraderingen?",
        "Filen %s hittades inte eller är inte tillgänglig.\n\nVill du hoppa över filen och "
        "fortsätta uppgraderingen?",
        "Åtkomst till fjärrfilen \"%s\" är lösenordsskyddad.\n\nAnge ditt användarnamn och "
        "lösenord (som du fick vid registreringen) för att fortsätta uppgraderingen.",
        "Anslutningen till fjärrservern bröts.\n\nÅterställ anslutningen och försök\nuppgradera "
        "programmet igen senare.",
        "Det gick inte att verifiera att uppdateringen av %s kommer från utgivaren, så den "
        "installerades inte.\n\nIngenting har ändrats.",
        "%s är större än en uppdatering får vara och hämtades inte.\n\nIngenting har ändrats.",
        "Det finns inte tillräckligt med ledigt diskutrymme för att hämta %s.\n\nIngenting har "
        "ändrats. Frigör utrymme och försök\nuppdatera programmet igen senare.",
        "Uppdateringen av %s skulle skriva en fil utanför programmets mapp och installerades "
        "inte.\n\nIngenting har ändrats.",
        "%s är installerat där du inte kan ändra det.\n\nDet uppdateras av ägaren eller systemets "
        "pakethanterare; ingenting har hämtats.",
        "Uppdateringen av %s slutfördes inte:\n\n%s",
        "%d filer installeras och %d hoppades över: uppdateringen av %s är inte "
        "fullständig.\n\nTryck på OK för att starta om programmet.",
        "Uppdateringen är ofullständig",
        "En nyare version av %s har släppts (%s).\n\nDen här installationen hör till systemets "
        "pakethanterare: uppdatera den med pakethanteraren.",
    }},
    // Finnish
    {{
        "Sovelluksen päivitysohjattu",
        "Ladataan tiedostoja...",
        "Päivitys valmis!",
        "Nykyinen tiedosto",
        "Kaikki tiedostot",
        "Ladataan tiedostoa osoitteesta",
        "Tiedoston koko: %.1f kt",
        "Siirtonopeus: %.1f kt/s",
        "Arvioitu jäljellä oleva aika: %d:%.2d:%.2d",
        "Ladataan tiedostoa %d/%d",
        "Sovelluksen %s päivitys on suoritettu onnistuneesti.\n\nKäynnistä ohjelma uudelleen "
        "valitsemalla OK.",
        "Anna salasana",
        "Käyttäjänimi",
        "Salasana",
        "&Kyllä",
        "&Ei",
        "&OK",
        "&Peruuta",
        "&Seuraava >",
        "&Myöhemmin",
        "Varoitus",
        "Virhe",
        "Valmistellaan. . .",
        "Sovelluksesta %s on julkaistu uudempi versio.\n%s\nHaluatko päivittää uusimpaan versioon?",
        "Uudempaa versiota ei löytynyt. Käytät jo\ntämän ohjelman uusinta versiota.",
        "Päivitystiedot sisältävää tiedostoa ei löytynyt kehittäjän sivustolta.",
        "Palvelimeen %s ei saada yhteyttä.\n\nTarkista Internet-yhteys ja\nyritä päivittää ohjelma "
        "myöhemmin uudelleen.",
        "Päivitys on kesken.\nHaluatko keskeyttää päivityksen?",
        "Tiedostoa %s ei löydy tai sitä ei voi käyttää.\n\nOhitetaanko tämä tiedosto ja "
        "jatketaanko päivitystä?",
        "Etätiedosto \"%s\" on suojattu salasanalla.\n\nJatka ohjelman päivitystä antamalla "
        "käyttäjänimesi ja salasanasi (jotka sait rekisteröityessäsi).",
        "Yhteys etäpalvelimeen katkesi.\n\nPalauta yhteys ja yritä\npäivittää ohjelma myöhemmin "
        "uudelleen.",
        "Sovelluksen %s päivityksen ei voitu varmistaa olevan peräisin sen julkaisijalta, joten "
        "sitä ei asennettu.\n\nMitään ei muutettu.",
        "%s on suurempi kuin päivitys saa olla, eikä sitä ladattu.\n\nMitään ei muutettu.",
        "Levytilaa ei ole tarpeeksi tiedoston %s lataamiseen.\n\nMitään ei muutettu. Vapauta tilaa "
        "ja yritä\npäivittää ohjelma myöhemmin uudelleen.",
        "Ohjelman %s päivitys kirjoittaisi tiedoston ohjelman kansion ulkopuolelle, eikä sitä "
        "asennettu.\n\nMitään ei muutettu.",
        "%s on asennettu paikkaan, jota et voi muuttaa.\n\nSen päivittää omistaja tai järjestelmän "
        "paketinhallinta; mitään ei ladattu.",
        "Ohjelman %s päivitys ei valmistunut:\n\n%s",
        "%d tiedostoa asennetaan ja %d ohitettiin: ohjelman %s päivitys ei ole "
        "täydellinen.\n\nKäynnistä ohjelma uudelleen painamalla OK.",
        "Päivitys keskeneräinen",
        "Ohjelmasta %s on julkaistu uudempi versio (%s).\n\nTämä asennus kuuluu järjestelmän "
        "paketinhallinnalle: päivitä se paketinhallinnan kautta.",
    }},
    // Estonian
    {{
        "Rakenduse uuendamise viisard",
        "Failide allalaadimine...",
        "Uuendamine on lõpetatud!",
        "Praegune fail",
        "Kõik failid",
        "Faili allalaadimine aadressilt",
        "Faili suurus: %.1f kB",
        "Edastuskiirus: %.1f kB/s",
        "Hinnanguline järelejäänud aeg: %d:%.2d:%.2d",
        "Laaditakse alla faili %d / %d",
        "Rakenduse %s uuendamine on edukalt lõpetatud.\n\nProgrammi taaskäivitamiseks klõpsake "
        "nuppu OK.",
        "Sisestage parool",
        "Kasutajanimi",
        "Parool",
        "&Jah",
        "&Ei",
        "&OK",
        "&Loobu",
        "&Edasi >",
        "&Hiljem",
        "Hoiatus",
        "Tõrge",
        "Ettevalmistamine. . .",
        "Rakendusest %s on ilmunud uuem versioon.\n%s\nKas soovite oma versiooni uusimaks "
        "uuendada?",
        "Uuemat versiooni ei leitud. Kasutate juba\nselle programmi uusimat versiooni.",
        "Uuendamise teavet sisaldavat faili ei leitud arendaja saidilt.",
        "Host %s pole kättesaadav.\n\nKontrollige Interneti-ühendust ja\nproovige tarkvara hiljem "
        "uuesti uuendada.",
        "Uuendamine pole lõpetatud.\nKas soovite uuendamise katkestada?",
        "Faili %s ei leitud või see pole juurdepääsetav.\n\nKas jätta see fail vahele ja jätkata "
        "uuendamist?",
        "Juurdepääs kaugfailile \"%s\" on parooliga kaitstud.\n\nTarkvara uuendamise jätkamiseks "
        "sisestage oma kasutajanimi ja parool (mille saite registreerimisel).",
        "Ühendus kaugserveriga katkes.\n\nTaastage ühendus ja proovige\ntarkvara hiljem uuesti "
        "uuendada.",
        "Rakenduse %s uuenduse päritolu väljaandjalt ei õnnestunud kinnitada, seetõttu seda ei "
        "installitud.\n\nMidagi pole muudetud.",
        "%s on suurem, kui uuendus olla tohib, ja seda ei laaditud alla.\n\nMidagi ei muudetud.",
        "Faili %s allalaadimiseks pole kettal piisavalt vaba ruumi.\n\nMidagi ei muudetud. "
        "Vabastage ruumi ja proovige\nprogrammi hiljem uuesti uuendada.",
        "Programmi %s uuendus kirjutaks faili väljapoole programmi kausta ja seda ei "
        "paigaldatud.\n\nMidagi ei muudetud.",
        "%s on paigaldatud kohta, mida te muuta ei saa.\n\nSeda uuendab omanik või süsteemi "
        "paketihaldur; midagi ei laaditud alla.",
        "Programmi %s uuendus jäi lõpetamata:\n\n%s",
        "Paigaldatakse %d faili ja %d jäeti vahele: programmi %s uuendus ei ole "
        "täielik.\n\nProgrammi taaskäivitamiseks vajutage OK.",
        "Uuendus pole täielik",
        "Programmist %s on ilmunud uuem versioon (%s).\n\nSee paigaldus kuulub süsteemi "
        "paketihaldurile: uuendage see paketihalduri abil.",
    }},
    // Ukrainian
    {{
        "Майстер оновлення програми",
        "Завантаження файлів...",
        "Оновлення завершено!",
        "Поточний файл",
        "Усі файли",
        "Завантаження файлу з",
        "Розмір файлу: %.1f КБ",
        "Швидкість передавання: %.1f КБ/с",
        "Залишилося приблизно: %d:%.2d:%.2d",
        "Завантаження %d з %d",
        "Оновлення програми %s успішно завершено.\n\nНатисніть кнопку OK, щоб перезапустити "
        "програму.",
        "Введіть пароль",
        "Ім’я користувача",
        "Пароль",
        "&Так",
        "&Ні",
        "&OK",
        "&Скасувати",
        "&Далі >",
        "&Пізніше",
        "Попередження",
        "Помилка",
        "Підготовка. . .",
        "Випущено новішу версію програми %s.\n%s\nБажаєте оновити свою версію до найновішої?",
        "Новішої версії не знайдено. Ви вже використовуєте\nнайновішу версію цієї програми.",
        "Файл з інформацією про оновлення не знайдено на сайті розробника.",
        "Вузол %s недоступний.\n\nПеревірте підключення до Інтернету та\nспробуйте оновити "
        "програму пізніше.",
        "Оновлення не завершено.\nПерервати оновлення?",
        "Файл %s не знайдено або він недоступний.\n\nПропустити цей файл і продовжити оновлення?",
        "Доступ до віддаленого файлу \"%s\" захищено паролем.\n\nВведіть ім’я користувача та "
        "пароль (отримані під час реєстрації), щоб продовжити оновлення програми.",
        "З’єднання з віддаленим сервером втрачено.\n\nВідновіть з’єднання та спробуйте\nоновити "
        "програму пізніше.",
        "Не вдалося підтвердити, що оновлення програми %s надійшло від її видавця, тому його не "
        "встановлено.\n\nНічого не змінено.",
        "Файл %s більший, ніж допустимо для оновлення, і не був завантажений.\n\nНічого не "
        "змінено.",
        "Недостатньо вільного місця на диску для завантаження %s.\n\nНічого не змінено. Звільніть "
        "місце та спробуйте\nоновити програму пізніше.",
        "Оновлення %s записало б файл поза текою програми і не було встановлене.\n\nНічого не "
        "змінено.",
        "Програму %s встановлено там, де ви не можете її змінити.\n\nЇї оновлює власник або "
        "менеджер пакетів системи; нічого не завантажено.",
        "Оновлення %s не було завершене:\n\n%s",
        "Буде встановлено файлів: %d, пропущено: %d. Оновлення %s не завершене "
        "повністю.\n\nНатисніть кнопку OK, щоб перезапустити програму.",
        "Оновлення не завершене",
        "Вийшла новіша версія %s (%s).\n\nЦе встановлення належить системному менеджеру пакунків: "
        "оновіть його за допомогою менеджера пакунків.",
    }},
    // Polish
    {{
        "Kreator aktualizacji aplikacji",
        "Pobieranie plików...",
        "Aktualizacja zakończona!",
        "Bieżący plik",
        "Wszystkie pliki",
        "Pobieranie pliku z",
        "Rozmiar pliku: %.1f KB",
        "Szybkość transferu: %.1f KB/s",
        "Szacowany pozostały czas: %d:%.2d:%.2d",
        "Pobieranie %d z %d",
        "Aktualizacja programu %s została pomyślnie zakończona.\n\nKliknij przycisk OK, aby "
        "ponownie uruchomić program.",
        "Wprowadź hasło",
        "Nazwa użytkownika",
        "Hasło",
        "&Tak",
        "&Nie",
        "&OK",
        "&Anuluj",
        "&Dalej >",
        "&Później",
        "Ostrzeżenie",
        "Błąd",
        "Przygotowywanie. . .",
        "Została wydana nowsza wersja programu %s.\n%s\nCzy chcesz zaktualizować program do "
        "najnowszej wersji?",
        "Nie znaleziono nowszej wersji. Używasz już\nnajnowszej wersji tego programu.",
        "Na stronie producenta nie znaleziono pliku z informacjami o aktualizacji.",
        "Host %s jest nieosiągalny.\n\nSprawdź połączenie z Internetem\ni spróbuj ponownie "
        "zaktualizować program później.",
        "Aktualizacja nie została zakończona.\nCzy chcesz przerwać aktualizację?",
        "Nie znaleziono pliku %s lub jest on niedostępny.\n\nCzy pominąć ten plik i kontynuować "
        "aktualizację?",
        "Dostęp do zdalnego pliku \"%s\" jest chroniony hasłem.\n\nWprowadź nazwę użytkownika i "
        "hasło (otrzymane po rejestracji), aby kontynuować aktualizację programu.",
        "Utracono połączenie ze zdalnym serwerem.\n\nPrzywróć połączenie i spróbuj "
        "ponownie\nzaktualizować program później.",
        "Nie można potwierdzić, że aktualizacja programu %s pochodzi od jego wydawcy, dlatego nie "
        "została zainstalowana.\n\nNic nie zostało zmienione.",
        "%s jest większy, niż może być aktualizacja, i nie został pobrany.\n\nNic nie zostało "
        "zmienione.",
        "Za mało wolnego miejsca na dysku, aby pobrać %s.\n\nNic nie zostało zmienione. Zwolnij "
        "miejsce i spróbuj\nzaktualizować program później.",
        "Aktualizacja %s zapisałaby plik poza folderem programu i nie została "
        "zainstalowana.\n\nNic nie zostało zmienione.",
        "%s jest zainstalowany tam, gdzie nie możesz go zmienić.\n\nAktualizuje go jego właściciel "
        "lub menedżer pakietów systemu; nic nie zostało pobrane.",
        "Aktualizacja %s nie została ukończona:\n\n%s",
        "Zostanie zainstalowanych plików: %d, pominiętych: %d. Aktualizacja %s nie jest "
        "pełna.\n\nNaciśnij OK, aby ponownie uruchomić program.",
        "Aktualizacja niepełna",
        "Wydano nowszą wersję programu %s (%s).\n\nTa instalacja należy do systemowego menedżera "
        "pakietów: zaktualizuj ją za pomocą menedżera pakietów.",
    }},
    // Czech
    {{
        "Průvodce aktualizací aplikace",
        "Stahování souborů...",
        "Aktualizace dokončena!",
        "Aktuální soubor",
        "Všechny soubory",
        "Stahování souboru z",
        "Velikost souboru: %.1f kB",
        "Přenosová rychlost: %.1f kB/s",
        "Odhadovaný zbývající čas: %d:%.2d:%.2d",
        "Stahování %d z %d",
        "Aktualizace aplikace %s byla úspěšně dokončena.\n\nProgram restartujete stisknutím "
        "tlačítka OK.",
        "Zadejte heslo",
        "Uživatelské jméno",
        "Heslo",
        "&Ano",
        "&Ne",
        "&OK",
        "&Storno",
        "&Další >",
        "&Později",
        "Upozornění",
        "Chyba",
        "Příprava. . .",
        "Byla vydána novější verze aplikace %s.\n%s\nChcete svou verzi aktualizovat na nejnovější?",
        "Novější verze nebyla nalezena. Již používáte\nnejnovější verzi tohoto programu.",
        "Soubor s informacemi o aktualizaci nebyl na webu vývojáře nalezen.",
        "Hostitel %s je nedostupný.\n\nZkontrolujte připojení k internetu\na zkuste software "
        "aktualizovat znovu později.",
        "Aktualizace nebyla dokončena.\nChcete aktualizaci přerušit?",
        "Soubor %s nebyl nalezen nebo není přístupný.\n\nChcete tento soubor přeskočit a "
        "pokračovat v aktualizaci?",
        "Přístup ke vzdálenému souboru \"%s\" je chráněn heslem.\n\nChcete-li pokračovat v "
        "aktualizaci softwaru, zadejte své uživatelské jméno a heslo (obdržené při registraci).",
        "Spojení se vzdáleným serverem bylo přerušeno.\n\nObnovte připojení a zkuste\nsoftware "
        "aktualizovat znovu později.",
        "Nepodařilo se ověřit, že aktualizace aplikace %s pochází od jejího vydavatele, proto "
        "nebyla nainstalována.\n\nNic nebylo změněno.",
        "%s je větší, než smí být aktualizace, a nebyl stažen.\n\nNic nebylo změněno.",
        "Na disku není dost volného místa ke stažení %s.\n\nNic nebylo změněno. Uvolněte místo a "
        "zkuste\nprogram aktualizovat později.",
        "Aktualizace %s by zapsala soubor mimo složku programu a nebyla nainstalována.\n\nNic "
        "nebylo změněno.",
        "%s je nainstalován tam, kde jej nemůžete měnit.\n\nAktualizuje jej jeho vlastník nebo "
        "správce balíčků systému; nic nebylo staženo.",
        "Aktualizace %s nebyla dokončena:\n\n%s",
        "Bude nainstalováno souborů: %d, přeskočeno: %d. Aktualizace %s není úplná.\n\nStisknutím "
        "OK program restartujete.",
        "Aktualizace neúplná",
        "Byla vydána novější verze programu %s (%s).\n\nTato instalace patří systémovému správci "
        "balíčků: aktualizujte ji pomocí správce balíčků.",
    }},
    // Hungarian
    {{
        "Alkalmazásfrissítő varázsló",
        "Fájlok letöltése...",
        "A frissítés befejeződött!",
        "Aktuális fájl",
        "Összes fájl",
        "Fájl letöltése innen:",
        "Fájlméret: %.1f kB",
        "Átviteli sebesség: %.1f kB/s",
        "Becsült hátralévő idő: %d:%.2d:%.2d",
        "Letöltés: %d / %d",
        "A(z) %s frissítése sikeresen befejeződött.\n\nA program újraindításához kattintson az OK "
        "gombra.",
        "Jelszó megadása",
        "Felhasználónév",
        "Jelszó",
        "&Igen",
        "&Nem",
        "&OK",
        "&Mégse",
        "&Tovább >",
        "&Később",
        "Figyelmeztetés",
        "Hiba",
        "Előkészítés. . .",
        "Megjelent a(z) %s újabb verziója.\n%s\nSzeretné frissíteni a programot a legújabb "
        "verzióra?",
        "Nem található újabb verzió. Ön már a program\nlegújabb verzióját használja.",
        "A frissítési adatokat tartalmazó fájl nem található a fejlesztő webhelyén.",
        "A(z) %s kiszolgáló nem érhető el.\n\nEllenőrizze az internetkapcsolatot, és\npróbálja meg "
        "később újra a frissítést.",
        "A frissítés nem fejeződött be.\nMegszakítja a frissítést?",
        "A(z) %s fájl nem található vagy nem érhető el.\n\nKihagyja ezt a fájlt, és folytatja a "
        "frissítést?",
        "A(z) \"%s\" távoli fájl jelszóval védett.\n\nA szoftver frissítésének folytatásához adja "
        "meg a (regisztrációkor kapott) felhasználónevét és jelszavát.",
        "Megszakadt a kapcsolat a távoli kiszolgálóval.\n\nÁllítsa helyre a kapcsolatot, és "
        "próbálja\nmeg később újra a frissítést.",
        "Nem sikerült ellenőrizni, hogy a(z) %s frissítése a kiadójától származik, ezért nem lett "
        "telepítve.\n\nSemmi sem változott.",
        "%s nagyobb, mint amekkora egy frissítés lehet, ezért nem lett letöltve.\n\nSemmi sem "
        "változott.",
        "Nincs elég szabad hely a lemezen a(z) %s letöltéséhez.\n\nSemmi sem változott. "
        "Szabadítson fel helyet, és próbálja\nmeg később frissíteni a programot.",
        "A(z) %s frissítése a program mappáján kívülre írna fájlt, ezért nem lett "
        "telepítve.\n\nSemmi sem változott.",
        "A(z) %s olyan helyre van telepítve, amelyet Ön nem módosíthat.\n\nA tulajdonosa vagy a "
        "rendszer csomagkezelője frissíti; semmi sem lett letöltve.",
        "A(z) %s frissítése nem fejeződött be:\n\n%s",
        "%d fájl kerül telepítésre, %d kimaradt: a(z) %s frissítése nem teljes.\n\nA program "
        "újraindításához nyomja meg az OK gombot.",
        "A frissítés nem teljes",
        "Megjelent a(z) %s újabb verziója (%s).\n\nEz a telepítés a rendszer csomagkezelőjéhez "
        "tartozik: frissítse a csomagkezelővel.",
    }},
    // Romanian
    {{
        "Asistent de actualizare a aplicației",
        "Se descarcă fișierele...",
        "Actualizare finalizată!",
        "Fișierul curent",
        "Toate fișierele",
        "Se descarcă fișierul de la",
        "Dimensiune fișier: %.1f KB",
        "Viteză de transfer: %.1f KB/s",
        "Timp estimat rămas: %d:%.2d:%.2d",
        "Se descarcă %d din %d",
        "Actualizarea aplicației %s a fost finalizată cu succes.\n\nApăsați butonul OK pentru a "
        "reporni programul.",
        "Introduceți parola",
        "Nume utilizator",
        "Parolă",
        "&Da",
        "&Nu",
        "&OK",
        "&Anulare",
        "Î&nainte >",
        "&Mai târziu",
        "Avertisment",
        "Eroare",
        "Se pregătește. . .",
        "A fost lansată o versiune mai nouă a aplicației %s.\n%s\nDoriți să actualizați la cea mai "
        "recentă versiune?",
        "Nu s-a găsit o versiune mai nouă. Utilizați deja\ncea mai recentă versiune a acestui "
        "program.",
        "Fișierul care conține informațiile de actualizare nu a fost găsit pe site-ul "
        "dezvoltatorului.",
        "Gazda %s nu poate fi accesată.\n\nVerificați conexiunea la Internet și\nîncercați din nou "
        "actualizarea mai târziu.",
        "Actualizarea nu este finalizată.\nDoriți să întrerupeți actualizarea?",
        "Fișierul %s nu a fost găsit sau nu este accesibil.\n\nOmiteți acest fișier și continuați "
        "actualizarea?",
        "Accesul la fișierul la distanță \"%s\" este protejat prin parolă.\n\nIntroduceți numele "
        "de utilizator și parola (primite la înregistrare) pentru a continua actualizarea "
        "programului.",
        "Conexiunea cu serverul la distanță s-a pierdut.\n\nRestabiliți conexiunea și "
        "încercați\ndin nou actualizarea mai târziu.",
        "Nu s-a putut verifica faptul că actualizarea aplicației %s provine de la editorul său, "
        "așa că nu a fost instalată.\n\nNu s-a modificat nimic.",
        "%s este mai mare decât poate fi o actualizare și nu a fost descărcat.\n\nNu s-a modificat "
        "nimic.",
        "Nu există suficient spațiu liber pe disc pentru a descărca %s.\n\nNu s-a modificat nimic. "
        "Eliberați spațiu și încercați\nsă actualizați programul mai târziu.",
        "Actualizarea %s ar scrie un fișier în afara dosarului programului și nu a fost "
        "instalată.\n\nNu s-a modificat nimic.",
        "%s este instalat într-un loc pe care nu îl puteți modifica.\n\nÎl actualizează "
        "proprietarul sau managerul de pachete al sistemului; nu s-a descărcat nimic.",
        "Actualizarea %s nu a fost finalizată:\n\n%s",
        "Vor fi instalate %d fișiere, iar %d au fost omise: actualizarea %s nu este "
        "completă.\n\nApăsați OK pentru a reporni programul.",
        "Actualizare incompletă",
        "A fost lansată o versiune mai nouă a programului %s (%s).\n\nAceastă instalare aparține "
        "managerului de pachete al sistemului: actualizați-o prin managerul de pachete.",
    }},
    // Catalan
    {{
        "Assistent d'actualització de l'aplicació",
        "S'estan baixant els fitxers...",
        "S'ha completat l'actualització!",
        "Fitxer actual",
        "Tots els fitxers",
        "S'està baixant el fitxer de",
        "Mida del fitxer: %.1f kB",
        "Velocitat de transferència: %.1f kB/s",
        "Temps restant estimat: %d:%.2d:%.2d",
        "S'està baixant %d de %d",
        "L'actualització de %s s'ha completat correctament.\n\nPremeu el botó D'acord per "
        "reiniciar el programa.",
        "Introduïu la contrasenya",
        "Nom d'usuari",
        "Contrasenya",
        "&Sí",
        "&No",
        "&D'acord",
        "&Cancel·la",
        "&Següent >",
        "&Més tard",
        "Avís",
        "Error",
        "S'està preparant. . .",
        "S'ha publicat una versió nova de %s.\n%s\nVoleu actualitzar la vostra versió a la més "
        "recent?",
        "No s'ha trobat cap versió més nova. Ja esteu\nutilitzant la versió més recent d'aquest "
        "programa.",
        "No s'ha trobat al lloc web del desenvolupador el fitxer que conté la informació "
        "d'actualització.",
        "No es pot accedir a l'amfitrió %s.\n\nComproveu la connexió a Internet i\nproveu "
        "d'actualitzar aquest programari més tard.",
        "L'actualització no s'ha completat.\nVoleu interrompre l'actualització?",
        "No s'ha trobat el fitxer %s o no s'hi pot accedir.\n\nVoleu ometre aquest fitxer i "
        "continuar l'actualització?",
        "L'accés al fitxer remot \"%s\" està protegit amb contrasenya.\n\nIntroduïu el nom "
        "d'usuari i la contrasenya (rebuts en registrar-vos) per continuar l'actualització del "
        "programari.",
        "S'ha perdut la connexió amb el servidor remot.\n\nRestabliu la connexió i "
        "proveu\nd'actualitzar aquest programari més tard.",
        "No s'ha pogut verificar que l'actualització de %s provingui del seu editor i no s'ha "
        "instal·lat.\n\nNo s'ha canviat res.",
        "%s és més gran del que pot ser una actualització i no s'ha baixat.\n\nNo s'ha canviat "
        "res.",
        "No hi ha prou espai lliure al disc per baixar %s.\n\nNo s'ha canviat res. Allibereu espai "
        "i torneu a provar\nd'actualitzar el programa més tard.",
        "L'actualització de %s escriuria un fitxer fora de la carpeta del programa i no s'ha "
        "instal·lat.\n\nNo s'ha canviat res.",
        "%s està instal·lat en un lloc que no podeu modificar.\n\nL'actualitza el seu propietari o "
        "el gestor de paquets del sistema; no s'ha baixat res.",
        "L'actualització de %s no s'ha completat:\n\n%s",
        "S'instal·laran %d fitxers i se n'han omès %d: l'actualització de %s no és "
        "completa.\n\nPremeu D'acord per reiniciar el programa.",
        "Actualització incompleta",
        "S'ha publicat una versió més nova de %s (%s).\n\nAquesta instal·lació pertany al gestor "
        "de paquets del sistema: actualitzeu-la amb el gestor de paquets.",
    }},
    // Basque
    {{
        "Aplikazioa eguneratzeko morroia",
        "Fitxategiak deskargatzen...",
        "Eguneratzea osatu da!",
        "Uneko fitxategia",
        "Fitxategi guztiak",
        "Fitxategia hemendik deskargatzen:",
        "Fitxategiaren tamaina: %.1f kB",
        "Transferentzia-abiadura: %.1f kB/s",
        "Geratzen den denbora estimatua: %d:%.2d:%.2d",
        "Deskargatzen: %d / %d",
        "%s aplikazioaren eguneratzea behar bezala osatu da.\n\nSakatu Ados botoia programa "
        "berrabiarazteko.",
        "Idatzi pasahitza",
        "Erabiltzaile-izena",
        "Pasahitza",
        "&Bai",
        "&Ez",
        "&Ados",
        "&Utzi",
        "&Hurrengoa >",
        "&Geroago",
        "Abisua",
        "Errorea",
        "Prestatzen. . .",
        "%s aplikazioaren bertsio berriago bat argitaratu da.\n%s\nZure bertsioa azkenekora "
        "eguneratu nahi duzu?",
        "Ez da bertsio berriagorik aurkitu. Programa honen\nazken bertsioa erabiltzen ari zara.",
        "Ez da eguneratze-informazioa duen fitxategia aurkitu garatzailearen webgunean.",
        "Ezin da %s ostalaria atzitu.\n\nEgiaztatu Interneteko konexioa eta\nsaiatu software hau "
        "geroago berriro eguneratzen.",
        "Eguneratzea ez da osatu.\nEguneratzea bertan behera utzi nahi duzu?",
        "Ez da %s fitxategia aurkitu, edo ezin da atzitu.\n\nFitxategi hau saltatu eta "
        "eguneratzearekin jarraitu nahi duzu?",
        "\"%s\" urruneko fitxategia atzitzeko pasahitza behar da.\n\nSoftwarea eguneratzen "
        "jarraitzeko, idatzi erabiltzaile-izena eta pasahitza (erregistratzean jasotakoak).",
        "Urruneko zerbitzariarekiko konexioa galdu da.\n\nBerrezarri konexioa eta saiatu\nsoftware "
        "hau geroago berriro eguneratzen.",
        "Ezin izan da egiaztatu %s aplikazioaren eguneratzea argitaratzailearengandik datorrela, "
        "eta ez da instalatu.\n\nEz da ezer aldatu.",
        "%s eguneraketa batek izan dezakeena baino handiagoa da, eta ez da deskargatu.\n\nEz da "
        "ezer aldatu.",
        "Ez dago nahikoa leku libre diskoan %s deskargatzeko.\n\nEz da ezer aldatu. Egin lekua eta "
        "saiatu\nprograma geroago eguneratzen.",
        "%s programaren eguneraketak fitxategi bat idatziko luke programaren karpetatik kanpo, eta "
        "ez da instalatu.\n\nEz da ezer aldatu.",
        "%s aldatu ezin duzun leku batean dago instalatuta.\n\nJabeak edo sistemaren "
        "pakete-kudeatzaileak eguneratzen du; ez da ezer deskargatu.",
        "%s programaren eguneraketa ez da osatu:\n\n%s",
        "%d fitxategi instalatuko dira eta %d saltatu dira: %s programaren eguneraketa ez dago "
        "osatuta.\n\nSakatu Ados programa berrabiarazteko.",
        "Eguneraketa osatu gabe",
        "%s programaren bertsio berriago bat argitaratu da (%s).\n\nInstalazio hau sistemaren "
        "pakete-kudeatzailearena da: eguneratu ezazu pakete-kudeatzailearen bidez.",
    }},
    // Afrikaans
    {{
        "Toepassing-opdateringsassistent",
        "Lêers word afgelaai...",
        "Opgradering voltooi!",
        "Huidige lêer",
        "Alle lêers",
        "Lêer word afgelaai vanaf",
        "Lêergrootte: %.1f Kb",
        "Oordragspoed: %.1f Kb/s",
        "Geskatte oorblywende tyd: %d:%.2d:%.2d",
        "Besig om %d van %d af te laai",
        "Die opdatering van %s is suksesvol voltooi.\n\nKlik op die OK-knoppie om die program weer "
        "te begin.",
        "Voer wagwoord in",
        "Gebruikersnaam",
        "Wagwoord",
        "&Ja",
        "&Nee",
        "&OK",
        "&Kanselleer",
        "&Volgende >",
        "&Later",
        "Waarskuwing",
        "Fout",
        "Berei voor. . .",
        "'n Nuwer weergawe van %s is vrygestel.\n%s\nWil u na die nuutste weergawe opdateer?",
        "Geen nuwer weergawe gevind nie. U gebruik reeds\ndie nuutste weergawe van hierdie "
        "program.",
        "Die lêer met die opgraderingsinligting is nie op die ontwikkelaar se webwerf gevind nie.",
        "Gasheer %s is onbereikbaar.\n\nGaan asseblief u internetverbinding na en\nprobeer later "
        "weer om hierdie sagteware op te gradeer.",
        "Die opdatering is nie voltooi nie.\nWil u die opgradering staak?",
        "Lêer %s is nie gevind nie of is ontoeganklik.\n\nWil u hierdie lêer oorslaan en met die "
        "opgradering voortgaan?",
        "Toegang tot die afgeleë lêer \"%s\" is met 'n wagwoord beskerm.\n\nVoer asseblief u "
        "gebruikersnaam en wagwoord in (ontvang ná registrasie) om met die sagteware-opgradering "
        "voort te gaan.",
        "Die verbinding met die afgeleë bediener is verbreek.\n\nHerstel asseblief die verbinding "
        "en probeer\nlater weer om hierdie sagteware op te gradeer.",
        "Daar kon nie bevestig word dat die opdatering van %s van sy uitgewer afkomstig is nie, "
        "daarom is dit nie geïnstalleer nie.\n\nNiks is verander nie.",
        "%s is groter as wat 'n bywerking mag wees en is nie afgelaai nie.\n\nNiks is verander "
        "nie.",
        "Daar is nie genoeg vrye skyfspasie om %s af te laai nie.\n\nNiks is verander nie. Maak "
        "spasie vry en probeer\ndie program later weer bywerk.",
        "Die bywerking van %s sou 'n lêer buite die program se vouer skryf en is nie geïnstalleer "
        "nie.\n\nNiks is verander nie.",
        "%s is geïnstalleer waar u dit nie kan verander nie.\n\nDie eienaar of die stelsel se "
        "pakketbestuurder werk dit by; niks is afgelaai nie.",
        "Die bywerking van %s is nie voltooi nie:\n\n%s",
        "%d lêers sal geïnstalleer word en %d is oorgeslaan: die bywerking van %s is nie volledig "
        "nie.\n\nDruk OK om die program weer te begin.",
        "Bywerking onvolledig",
        "'n Nuwer weergawe van %s is vrygestel (%s).\n\nHierdie installasie behoort aan die "
        "stelsel se pakketbestuurder: werk dit asseblief deur die pakketbestuurder by.",
    }},
    // Chinese (Traditional)
    {{
        "應用程式更新精靈",
        "正在下載檔案...",
        "升級完成！",
        "目前檔案",
        "所有檔案",
        "檔案下載來源",
        "檔案大小：%.1f KB",
        "傳輸速率：%.1f KB/s",
        "預估剩餘時間：%d:%.2d:%.2d",
        "正在下載第 %d 個檔案（共 %d 個）",
        "%s 已成功完成更新。\n\n請按「確定」按鈕重新啟動程式。",
        "輸入密碼",
        "使用者名稱",
        "密碼",
        "是(&Y)",
        "否(&N)",
        "確定(&O)",
        "取消(&C)",
        "下一步(&N) >",
        "稍後(&L)",
        "警告",
        "錯誤",
        "正在準備...",
        "%s 已發行新版本。\n%s\n您要將目前的版本更新為最新版本嗎？",
        "找不到較新的版本。您目前使用的\n已是本程式的最新版本。",
        "在開發人員網站上找不到包含升級資訊的檔案。",
        "無法連線到主機 %s。\n\n請檢查您的網際網路連線，\n並稍後再嘗試升級本軟體。",
        "更新尚未完成。\n您要中止升級嗎？",
        "找不到檔案 %s，或無法存取該檔案。\n\n要略過此檔案並繼續升級嗎？",
        "存取遠端檔案「%s」需要密碼。\n\n請輸入您的使用者名稱和密碼（註冊後取得）以繼續升級軟體。",
        "與遠端伺服器的連線已中斷。\n\n請恢復連線，並稍後\n再嘗試升級本軟體。",
        "無法驗證 %s 的更新是否來自其發行者，因此未安裝此更新。\n\n未進行任何變更。",
        "%s 超過更新允許的大小，未下載。\n\n沒有任何變更。",
        "磁碟空間不足，無法下載 %s。\n\n沒有任何變更。請釋放一些空間，\n稍後再嘗試更新此軟體。",
        "%s 的更新會將檔案寫到程式資料夾之外，因此未安裝。\n\n沒有任何變更。",
        "%s 安裝在您無法變更的位置。\n\n由其擁有者或系統的套件管理員更新；未下載任何內容。",
        "%s 的更新未完成：\n\n%s",
        "將安裝 %d 個檔案，已略過 %d 個：%s 的更新並不完整。\n\n請按「確定」重新啟動程式。",
        "更新未完成",
        "%s 已發佈較新的版本（%s）。\n\n此安裝屬於系統的套件管理程式：請透過套件管理程式更新。",
    }},
    // Chinese (Simplified)
    {{
        "应用程序更新向导",
        "正在下载文件...",
        "升级完成！",
        "当前文件",
        "所有文件",
        "文件下载来源",
        "文件大小：%.1f KB",
        "传输速率：%.1f KB/s",
        "预计剩余时间：%d:%.2d:%.2d",
        "正在下载第 %d 个文件（共 %d 个）",
        "%s 已成功完成更新。\n\n请单击“确定”按钮重新启动程序。",
        "输入密码",
        "用户名",
        "密码",
        "是(&Y)",
        "否(&N)",
        "确定(&O)",
        "取消(&C)",
        "下一步(&N) >",
        "稍后(&L)",
        "警告",
        "错误",
        "正在准备...",
        "%s 已发布新版本。\n%s\n是否要将您的版本更新为最新版本？",
        "未找到较新的版本。您当前使用的\n已是本程序的最新版本。",
        "在开发者网站上未找到包含升级信息的文件。",
        "无法访问主机 %s。\n\n请检查您的网络连接，\n然后稍后再尝试升级本软件。",
        "更新尚未完成。\n是否要中止升级？",
        "未找到文件 %s，或无法访问该文件。\n\n是否跳过此文件并继续升级？",
        "访问远程文件“%s”需要密码。\n\n请输入您的用户名和密码（注册后获得）以继续升级软件。",
        "与远程服务器的连接已断开。\n\n请恢复连接，然后稍后\n再尝试升级本软件。",
        "无法验证 %s 的更新是否来自其发布者，因此未安装该更新。\n\n未进行任何更改。",
        "%s 超过更新允许的大小，未下载。\n\n没有任何更改。",
        "磁盘空间不足，无法下载 %s。\n\n没有任何更改。请释放一些空间，\n稍后再尝试更新此软件。",
        "%s 的更新会将文件写到程序文件夹之外，因此未安装。\n\n没有任何更改。",
        "%s 安装在您无法更改的位置。\n\n由其所有者或系统的软件包管理器更新；未下载任何内容。",
        "%s 的更新未完成：\n\n%s",
        "将安装 %d 个文件，已跳过 %d 个：%s 的更新并不完整。\n\n请按“确定”重新启动程序。",
        "更新未完成",
        "%s 已发布较新的版本（%s）。\n\n此安装属于系统的软件包管理器：请通过软件包管理器更新。",
    }},
    // Indonesian
    {{
        "Wisaya pembaruan aplikasi",
        "Mengunduh file...",
        "Pembaruan selesai!",
        "File saat ini",
        "Semua file",
        "Mengunduh file dari",
        "Ukuran file: %.1f KB",
        "Kecepatan transfer: %.1f KB/s",
        "Perkiraan sisa waktu: %d:%.2d:%.2d",
        "Mengunduh %d dari %d",
        "Pembaruan %s telah berhasil diselesaikan.\n\nTekan tombol OK untuk memulai ulang program.",
        "Masukkan kata sandi",
        "Nama Pengguna",
        "Kata Sandi",
        "&Ya",
        "&Tidak",
        "&OK",
        "&Batal",
        "&Lanjut >",
        "&Nanti",
        "Peringatan",
        "Kesalahan",
        "Menyiapkan. . .",
        "Versi baru %s telah dirilis.\n%s\nApakah Anda ingin memperbarui versi Anda ke versi "
        "terbaru?",
        "Versi yang lebih baru tidak ditemukan. Anda sudah\nmenggunakan versi terbaru program ini.",
        "File yang berisi informasi pembaruan tidak ditemukan di situs pengembang.",
        "Host %s tidak dapat dijangkau.\n\nPeriksa koneksi Internet Anda dan\ncoba perbarui "
        "perangkat lunak ini lagi nanti.",
        "Pembaruan belum selesai.\nApakah Anda ingin membatalkan pembaruan?",
        "File %s tidak ditemukan atau tidak dapat diakses.\n\nLewati file ini dan lanjutkan "
        "pembaruan?",
        "Akses ke file jarak jauh \"%s\" dilindungi kata sandi.\n\nMasukkan nama pengguna dan kata "
        "sandi Anda (diterima setelah registrasi) untuk melanjutkan pembaruan perangkat lunak.",
        "Koneksi dengan server jarak jauh terputus.\n\nPulihkan koneksi, lalu coba\nperbarui "
        "perangkat lunak ini lagi nanti.",
        "Pembaruan %s tidak dapat diverifikasi berasal dari penerbitnya sehingga tidak "
        "dipasang.\n\nTidak ada yang diubah.",
        "%s lebih besar dari yang diizinkan untuk pembaruan dan tidak diunduh.\n\nTidak ada yang "
        "diubah.",
        "Ruang disk kosong tidak cukup untuk mengunduh %s.\n\nTidak ada yang diubah. Kosongkan "
        "ruang dan coba\nperbarui perangkat lunak ini nanti.",
        "Pembaruan %s akan menulis berkas di luar folder program dan tidak dipasang.\n\nTidak ada "
        "yang diubah.",
        "%s dipasang di tempat yang tidak dapat Anda ubah.\n\nPemiliknya atau pengelola paket "
        "sistem yang memperbaruinya; tidak ada yang diunduh.",
        "Pembaruan %s tidak selesai:\n\n%s",
        "%d berkas akan dipasang dan %d dilewati: pembaruan %s tidak lengkap.\n\nTekan tombol OK "
        "untuk memulai ulang program.",
        "Pembaruan tidak lengkap",
        "Versi %s yang lebih baru telah dirilis (%s).\n\nInstalasi ini milik pengelola paket "
        "sistem: perbarui melalui pengelola paket.",
    }},
    // Malay
    {{
        "Bestari kemas kini aplikasi",
        "Memuat turun fail...",
        "Naik taraf selesai!",
        "Fail semasa",
        "Semua fail",
        "Memuat turun fail daripada",
        "Saiz fail: %.1f KB",
        "Kadar pemindahan: %.1f KB/s",
        "Anggaran masa yang tinggal: %d:%.2d:%.2d",
        "Memuat turun %d daripada %d",
        "Kemas kini %s telah berjaya diselesaikan.\n\nTekan butang OK untuk memulakan semula "
        "program.",
        "Masukkan kata laluan",
        "Nama Pengguna",
        "Kata Laluan",
        "&Ya",
        "&Tidak",
        "&OK",
        "&Batal",
        "&Seterusnya >",
        "&Kemudian",
        "Amaran",
        "Ralat",
        "Menyediakan. . .",
        "Versi baharu %s telah dikeluarkan.\n%s\nAdakah anda mahu mengemas kini versi anda kepada "
        "versi terkini?",
        "Versi yang lebih baharu tidak ditemui. Anda sudah\nmenggunakan versi terkini program ini.",
        "Fail yang mengandungi maklumat naik taraf tidak ditemui di laman web pembangun.",
        "Hos %s tidak dapat dicapai.\n\nSila semak sambungan Internet anda dan\ncuba naik taraf "
        "perisian ini sekali lagi kemudian.",
        "Kemas kini belum selesai.\nAdakah anda mahu membatalkan naik taraf?",
        "Fail %s tidak ditemui atau tidak boleh diakses.\n\nLangkau fail ini dan teruskan naik "
        "taraf?",
        "Akses kepada fail jauh \"%s\" dilindungi kata laluan.\n\nSila masukkan nama pengguna dan "
        "kata laluan anda (yang diterima selepas pendaftaran) untuk meneruskan naik taraf "
        "perisian.",
        "Sambungan dengan pelayan jauh terputus.\n\nSila pulihkan sambungan dan cuba\nnaik taraf "
        "perisian ini sekali lagi kemudian.",
        "Kemas kini %s tidak dapat disahkan datang daripada penerbitnya dan tidak "
        "dipasang.\n\nTiada apa-apa yang diubah.",
        "%s lebih besar daripada yang dibenarkan untuk kemas kini dan tidak dimuat turun.\n\nTiada "
        "apa-apa yang diubah.",
        "Ruang cakera kosong tidak mencukupi untuk memuat turun %s.\n\nTiada apa-apa yang diubah. "
        "Kosongkan ruang dan cuba\nkemas kini perisian ini kemudian.",
        "Kemas kini %s akan menulis fail di luar folder program dan tidak dipasang.\n\nTiada "
        "apa-apa yang diubah.",
        "%s dipasang di tempat yang tidak boleh anda ubah.\n\nPemiliknya atau pengurus pakej "
        "sistem yang mengemas kininya; tiada apa-apa yang dimuat turun.",
        "Kemas kini %s tidak selesai:\n\n%s",
        "%d fail akan dipasang dan %d dilangkau: kemas kini %s tidak lengkap.\n\nTekan butang OK "
        "untuk memulakan semula program.",
        "Kemas kini tidak lengkap",
        "Versi %s yang lebih baharu telah dikeluarkan (%s).\n\nPemasangan ini milik pengurus pakej "
        "sistem: sila kemas kini melalui pengurus pakej.",
    }},
    // Icelandic
    {{
        "Uppfærsluleiðsögn forrits",
        "Sæki skrár...",
        "Uppfærslu lokið!",
        "Núverandi skrá",
        "Allar skrár",
        "Sæki skrá frá",
        "Skráarstærð: %.1f KB",
        "Flutningshraði: %.1f KB/s",
        "Áætlaður tími eftir: %d:%.2d:%.2d",
        "Sæki %d af %d",
        "Uppfærslu %s er lokið.\n\nSmelltu á hnappinn Í lagi til að endurræsa forritið.",
        "Sláðu inn lykilorð",
        "Notandanafn",
        "Lykilorð",
        "&Já",
        "&Nei",
        "Í &lagi",
        "&Hætta við",
        "Á&fram >",
        "&Síðar",
        "Viðvörun",
        "Villa",
        "Undirbý. . .",
        "Ný útgáfa af %s hefur verið gefin út.\n%s\nViltu uppfæra í nýjustu útgáfuna?",
        "Engin nýrri útgáfa fannst. Þú ert nú þegar\nað nota nýjustu útgáfu þessa forrits.",
        "Skráin með upplýsingum um uppfærsluna fannst ekki á vefsvæði framleiðandans.",
        "Ekki næst samband við hýsilinn %s.\n\nAthugaðu nettenginguna og\nreyndu að uppfæra "
        "hugbúnaðinn aftur síðar.",
        "Uppfærslunni er ekki lokið.\nViltu hætta við uppfærsluna?",
        "Skráin %s fannst ekki eða er ekki aðgengileg.\n\nViltu sleppa þessari skrá og halda "
        "uppfærslunni áfram?",
        "Aðgangur að ytri skránni „%s“ er varinn með lykilorði.\n\nSláðu inn notandanafn og "
        "lykilorð (sem þú fékkst við skráningu) til að halda uppfærslunni áfram.",
        "Tengingin við ytri netþjóninn rofnaði.\n\nKomdu tengingunni aftur á og reyndu\nað uppfæra "
        "hugbúnaðinn aftur síðar.",
        "Ekki tókst að staðfesta að uppfærsla %s komi frá útgefanda og því var hún ekki sett "
        "upp.\n\nEngu hefur verið breytt.",
        "%s er stærri en uppfærsla má vera og var ekki sótt.\n\nEngu hefur verið breytt.",
        "Ekki er nægt laust diskpláss til að sækja %s.\n\nEngu hefur verið breytt. Losaðu pláss og "
        "reyndu\nað uppfæra forritið síðar.",
        "Uppfærsla %s myndi skrifa skrá utan möppu forritsins og var ekki sett upp.\n\nEngu hefur "
        "verið breytt.",
        "%s er sett upp þar sem þú getur ekki breytt því.\n\nEigandinn eða pakkastjóri kerfisins "
        "uppfærir það; ekkert hefur verið sótt.",
        "Uppfærslu %s var ekki lokið:\n\n%s",
        "%d skrár verða settar upp og %d var sleppt: uppfærsla %s er ekki fullkomin.\n\nÝttu á Í "
        "lagi til að endurræsa forritið.",
        "Uppfærslu ólokið",
        "Nýrri útgáfa af %s hefur verið gefin út (%s).\n\nÞessi uppsetning tilheyrir pakkastjóra "
        "kerfisins: uppfærðu hana með pakkastjóranum.",
    }},
    // Turkish
    {{
        "Uygulama güncelleme sihirbazı",
        "Dosyalar indiriliyor...",
        "Yükseltme tamamlandı!",
        "Geçerli dosya",
        "Tüm dosyalar",
        "Dosya şuradan indiriliyor",
        "Dosya boyutu: %.1f KB",
        "Aktarım hızı: %.1f KB/s",
        "Tahmini kalan süre: %d:%.2d:%.2d",
        "%d / %d indiriliyor",
        "%s güncellemesi başarıyla tamamlandı.\n\nProgramı yeniden başlatmak için Tamam düğmesine "
        "basın.",
        "Parolayı girin",
        "Kullanıcı Adı",
        "Parola",
        "&Evet",
        "&Hayır",
        "&Tamam",
        "&İptal",
        "İ&leri >",
        "&Daha sonra",
        "Uyarı",
        "Hata",
        "Hazırlanıyor. . .",
        "%s uygulamasının daha yeni bir sürümü yayınlandı.\n%s\nSürümünüzü en son sürüme "
        "güncellemek istiyor musunuz?",
        "Daha yeni bir sürüm bulunamadı. Bu programın\nen son sürümünü zaten kullanıyorsunuz.",
        "Yükseltme bilgilerini içeren dosya geliştiricinin sitesinde bulunamadı.",
        "%s ana bilgisayarına ulaşılamıyor.\n\nLütfen İnternet bağlantınızı denetleyin ve\nbu "
        "yazılımı daha sonra yeniden yükseltmeyi deneyin.",
        "Güncelleme tamamlanmadı.\nYükseltmeyi iptal etmek istiyor musunuz?",
        "%s dosyası bulunamadı veya erişilemiyor.\n\nBu dosya atlanıp yükseltmeye devam edilsin "
        "mi?",
        "\"%s\" uzak dosyasına erişim parola korumalıdır.\n\nYazılım yükseltmesine devam etmek "
        "için lütfen kullanıcı adınızı ve parolanızı (kayıttan sonra aldığınız) girin.",
        "Uzak sunucuyla bağlantı kesildi.\n\nLütfen bağlantıyı yeniden kurun ve\nbu yazılımı daha "
        "sonra yeniden yükseltmeyi deneyin.",
        "%s güncellemesinin yayıncısından geldiği doğrulanamadığı için güncelleme "
        "yüklenmedi.\n\nHiçbir şey değiştirilmedi.",
        "%s bir güncellemenin olabileceğinden büyük ve indirilmedi.\n\nHiçbir şey değiştirilmedi.",
        "%s dosyasını indirmek için diskte yeterli boş alan yok.\n\nHiçbir şey değiştirilmedi. "
        "Lütfen yer açın ve\nyazılımı daha sonra güncellemeyi deneyin.",
        "%s güncellemesi program klasörünün dışına bir dosya yazacağı için kurulmadı.\n\nHiçbir "
        "şey değiştirilmedi.",
        "%s, değiştiremeyeceğiniz bir yere kurulu.\n\nOnu sahibi ya da sistemin paket yöneticisi "
        "günceller; hiçbir şey indirilmedi.",
        "%s güncellemesi tamamlanmadı:\n\n%s",
        "%d dosya kurulacak ve %d dosya atlandı: %s güncellemesi tam değil.\n\nProgramı yeniden "
        "başlatmak için Tamam düğmesine basın.",
        "Güncelleme tamamlanmadı",
        "%s için daha yeni bir sürüm yayımlandı (%s).\n\nBu kurulum sistemin paket yöneticisine "
        "aittir: lütfen paket yöneticisiyle güncelleyin.",
    }},
    // Norwegian
    {{
        "Veiviser for programoppdatering",
        "Laster ned filer...",
        "Oppgraderingen er fullført!",
        "Gjeldende fil",
        "Alle filer",
        "Laster ned fil fra",
        "Filstørrelse: %.1f kB",
        "Overføringshastighet: %.1f kB/s",
        "Beregnet gjenstående tid: %d:%.2d:%.2d",
        "Laster ned %d av %d",
        "Oppdateringen av %s er fullført.\n\nTrykk på OK for å starte programmet på nytt.",
        "Skriv inn passord",
        "Brukernavn",
        "Passord",
        "&Ja",
        "&Nei",
        "&OK",
        "&Avbryt",
        "&Neste >",
        "&Senere",
        "Advarsel",
        "Feil",
        "Forbereder. . .",
        "En nyere versjon av %s er utgitt.\n%s\nVil du oppdatere til den nyeste versjonen?",
        "Fant ingen nyere versjon. Du bruker allerede\nden nyeste versjonen av dette programmet.",
        "Finner ikke filen med oppgraderingsinformasjon på utviklerens nettsted.",
        "Verten %s kan ikke nås.\n\nKontroller Internett-tilkoblingen, og\nprøv å oppgradere "
        "programvaren på nytt senere.",
        "Oppdateringen er ikke fullført.\nVil du avbryte oppgraderingen?",
        "Finner ikke filen %s, eller den er utilgjengelig.\n\nVil du hoppe over denne filen og "
        "fortsette oppgraderingen?",
        "Tilgang til den eksterne filen «%s» er passordbeskyttet.\n\nSkriv inn brukernavnet og "
        "passordet ditt (mottatt etter registrering) for å fortsette oppgraderingen av "
        "programvaren.",
        "Forbindelsen med den eksterne serveren ble brutt.\n\nGjenopprett forbindelsen, og prøv "
        "å\noppgradere programvaren på nytt senere.",
        "Kan ikke bekrefte at oppdateringen av %s kommer fra utgiveren, så den ble ikke "
        "installert.\n\nIngenting er endret.",
        "%s er større enn en oppdatering kan være, og ble ikke lastet ned.\n\nIngenting er endret.",
        "Det er ikke nok ledig diskplass til å laste ned %s.\n\nIngenting er endret. Frigjør plass "
        "og prøv\nå oppdatere programmet senere.",
        "Oppdateringen av %s ville skrive en fil utenfor programmets mappe og ble ikke "
        "installert.\n\nIngenting er endret.",
        "%s er installert der du ikke kan endre det.\n\nDet oppdateres av eieren eller systemets "
        "pakkebehandler; ingenting er lastet ned.",
        "Oppdateringen av %s ble ikke fullført:\n\n%s",
        "%d filer blir installert og %d ble hoppet over: oppdateringen av %s er ikke "
        "fullstendig.\n\nTrykk OK for å starte programmet på nytt.",
        "Oppdateringen er ufullstendig",
        "En nyere versjon av %s er utgitt (%s).\n\nDenne installasjonen tilhører systemets "
        "pakkebehandler: oppdater den med pakkebehandleren.",
    }},
    // Slovak
    {{
        "Sprievodca aktualizáciou aplikácie",
        "Sťahovanie súborov...",
        "Inovácia je dokončená!",
        "Aktuálny súbor",
        "Všetky súbory",
        "Sťahovanie súboru z",
        "Veľkosť súboru: %.1f kB",
        "Prenosová rýchlosť: %.1f kB/s",
        "Odhadovaný zostávajúci čas: %d:%.2d:%.2d",
        "Sťahuje sa %d z %d",
        "Aktualizácia aplikácie %s bola úspešne dokončená.\n\nProgram reštartujete stlačením "
        "tlačidla OK.",
        "Zadajte heslo",
        "Meno používateľa",
        "Heslo",
        "&Áno",
        "&Nie",
        "&OK",
        "&Zrušiť",
        "Ď&alej >",
        "Ne&skôr",
        "Upozornenie",
        "Chyba",
        "Príprava. . .",
        "Bola vydaná novšia verzia aplikácie %s.\n%s\nChcete aktualizovať svoju verziu na "
        "najnovšiu?",
        "Novšia verzia sa nenašla. Už používate\nnajnovšiu verziu tohto programu.",
        "Súbor s informáciami o inovácii sa na lokalite vývojára nenašiel.",
        "Hostiteľ %s je nedostupný.\n\nSkontrolujte pripojenie na internet a\nskúste tento softvér "
        "inovovať neskôr znova.",
        "Aktualizácia nie je dokončená.\nChcete inováciu prerušiť?",
        "Súbor %s sa nenašiel alebo je nedostupný.\n\nChcete tento súbor vynechať a pokračovať v "
        "inovácii?",
        "Prístup k vzdialenému súboru „%s“ je chránený heslom.\n\nAk chcete pokračovať v inovácii "
        "softvéru, zadajte svoje používateľské meno a heslo (získané po registrácii).",
        "Spojenie so vzdialeným serverom sa prerušilo.\n\nObnovte pripojenie a skúste\ntento "
        "softvér inovovať neskôr znova.",
        "Nepodarilo sa overiť, že aktualizácia aplikácie %s pochádza od jej vydavateľa, preto "
        "nebola nainštalovaná.\n\nNič sa nezmenilo.",
        "%s je väčší, ako smie byť aktualizácia, a nebol stiahnutý.\n\nNič sa nezmenilo.",
        "Na disku nie je dosť voľného miesta na stiahnutie %s.\n\nNič sa nezmenilo. Uvoľnite "
        "miesto a skúste\nprogram aktualizovať neskôr.",
        "Aktualizácia %s by zapísala súbor mimo priečinka programu a nebola nainštalovaná.\n\nNič "
        "sa nezmenilo.",
        "%s je nainštalovaný tam, kde ho nemôžete meniť.\n\nAktualizuje ho jeho vlastník alebo "
        "správca balíkov systému; nič sa nestiahlo.",
        "Aktualizácia %s nebola dokončená:\n\n%s",
        "Nainštaluje sa súborov: %d, preskočených: %d. Aktualizácia %s nie je úplná.\n\nStlačením "
        "OK program reštartujete.",
        "Aktualizácia neúplná",
        "Bola vydaná novšia verzia programu %s (%s).\n\nTáto inštalácia patrí systémovému "
        "správcovi balíkov: aktualizujte ju pomocou správcu balíkov.",
    }},
}};

}  // namespace tessaro
