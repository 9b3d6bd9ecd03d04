#ifndef KANVIO_TEXTS_STRINGS_H
#define KANVIO_TEXTS_STRINGS_H

#include <QObject>
#include <QString>

// The table of every user-visible text. Texts are fetched by id at the moment
// they are shown, so that switching the language can simply apply them again.
// The class is also the translation context "Strings" of the German catalogue.
class Strings : public QObject
{
    Q_OBJECT

public:
    enum Language {
        English = 0,
        German = 1
    };

    // Ids are positions in the table and are stored nowhere, but their order
    // is fixed: the catalogue and every caller rely on it. The ReservedNN
    // entries hold texts that nothing reads; they keep the later ids in place.
    enum Id {
        // Menu titles, in menu order
        FileMenu = 0,
        EditMenu,
        StationTableMenu,
        SettingsMenu,
        LanguageMenu,
        ViewMenu,
        HelpMenu,
        CaModuleMenu,

        // Action texts
        NewFileAction = 8,
        OpenAction,
        SaveAction,
        SaveAsAction,
        ExportCsvAction,
        ImportFromTvAction,
        ExportToTvAction,
        AppendStationsAction,
        DeleteAction,
        OptionsAction,
        ChildLockAction,
        ContainedInEpgAction,
        DefaultSettingsAction,
        EnglishAction,
        GermanAction,
        ListViewAction,
        TableViewAction,
        ExitAction,
        AboutAction,
        ShowToolbarAction,
        SearchStationAction,
        UndoAction,
        RedoAction,
        Reserved31,
        PrintAction,
        ConvertTableAction,
        AdvancedSearchAction,
        CopyStationDataAction,

        // Action status tips, and the tip of the add-favorite-list button
        NewFileTip = 36,
        OpenTip,
        SaveTip,
        SaveAsTip,
        ExportCsvTip,
        ImportFromTvTip,
        ExportToTvTip,
        AppendStationsTip,
        DeleteTip,
        OptionsTip,
        ChildLockTip,
        ContainedInEpgTip,
        DefaultSettingsTip,
        EnglishTip,
        GermanTip,
        ListViewTip,
        TableViewTip,
        ExitTip,
        AboutTip,
        ShowToolbarTip,
        SearchStationTip,
        UndoTip,
        RedoTip,
        Reserved59,
        PrintTip,
        ConvertTableTip,
        AddFavoriteListTip,
        AdvancedSearchTip,
        CopyStationDataTip,

        // Messages, dialog titles and labels
        SaveChangesQuestion = 65,
        ConfigErrorTitle,
        OptionsLoadFailedMessage,
        FileErrorTitle,
        LoadingFileMessage,
        SavingFileMessage,
        SavingNewFileMessage,
        ExportingCsvMessage,
        AppendingFileMessage,
        ConnectingMessage,
        ReadingFromTvMessage,
        WritingToTvMessage,
        Reserved77,
        UnknownImportErrorMessage,
        UnknownExportErrorMessage,
        ImportErrorTitle,
        ExportErrorTitle,
        RenameErrorTitle,
        FavoriteNameExistsMessage,
        NoDevicesTitle,
        NoDevicesMessage,
        Reserved86,
        ImportingProgress,
        Reserved88,
        ExportingProgress,
        EnterAddressLabel,
        StationSettingsTitle,
        RenameFavoriteListTitle,
        InsertNewNameLabel,
        OpenSvlFileTitle,
        Reserved95,
        AboutText,
        SaveModificationsTitle,
        AvailableTvsLabel,
        SearchingTvsLabel,

        // Pages of the station settings dialog, title of the search dialog
        GeneralSettingsPage = 100,
        DvbStationSettingsPage,
        CaSystemIdsPage,
        PidsPage,
        DvbcNodeDataPage,
        DvbsNodeDataPage,
        DvbtNodeDataPage,
        GeneralNodeSettingsPage,
        TerrestrialSettingsPage,
        GeneralTvSettingsPage,
        AdvancedSearchTitle,

        // Station field labels ("...Label") and their short column headers ("...Header")
        ServiceIdLabel = 111,
        ServiceIdHeader,
        EncryptedLabel,
        EncryptedHeader,
        CaModuleLabel,
        VideoDecoderLabel,
        SubAudioLabel,
        AudioTagLabel,
        VideoTypeLabel,
        VideoTypeHeader,
        AudioTypeLabel,
        AudioTypeHeader,
        PcrPidLabel,
        TeletextPidLabel,
        AudioPidLabel,
        VideoPidLabel,
        StationTypeLabel,
        StationNameLabel,
        CharSelCodeLabel,
        DecoderLabel,
        ToneSettingLabel,
        VolumeCorrectionLabel,
        EpgLabel,
        Reserved134,
        ModulationLabel,
        ModulationHeader,
        PolarisationLabel,
        PolarisationHeader,
        SatelliteLabel,
        DvbSystemLabel,
        ModulationTypeLabel,
        RollOffLabel,
        FecLabel,
        ConstellationLabel,
        ConstellationHeader,
        CodeRateHpLabel,
        CodeRateHeader,
        TransmissionModeLabel,
        TransmissionModeHeader,
        GuardIntervalLabel,
        GuardIntervalHeader,
        NetworkTypeLabel,
        NetworkTypeHeader,
        TransportStreamIdLabel,
        TransportStreamIdHeader,
        OriginNetworkIdLabel,
        OriginNetworkIdHeader,
        FrequencyKhzLabel,
        SymbolRateLabel,
        SymbolRateHeader,
        FrequencyMhzLabel,
        VcrLabel,
        ForcedMonoLabel,
        ColourStandardLabel,
        TvStandardLabel,
        CniDataLabel,
        CniHeader,
        ColourIntensityLabel,
        ContrastLabel,
        SharpnessLabel,
        NoiseReductionLabel,
        CtiLabel,
        CombFilterLabel,
        ColourOffsetLabel,
        PictureFormatLabel,
        VideoProfileLabel,
        Reserved177,
        Reserved178,
        OriginNameLabel,
        HbbTvLabel,

        // Buttons, tab titles and dialog controls
        Reserved181 = 181,
        CancelButton,
        Reserved183,
        GeneralTab,
        TvTab,
        DvbTab,
        NodeGeneralTab,
        NodeDvbsTab,
        NodeDvbcTab,
        NodeDvbtTab,
        TerrestrialTab,
        DiscardButton,
        RefreshButton,
        ImportTableButton,
        ExportTableButton,
        SearchButton,
        ApplyModificationsButton,

        // Undo command texts
        AddFavoriteListCommandText = 198,
        ChildLockCommandText,
        CopyCommandText,
        DefaultSettingsCommandText,
        DeleteCommandText,
        EpgCommandText,
        MoveCommandText,
        RemoveFavoriteListCommandText,
        RenameFavoriteListCommandText,
        SortCommandText,
        CaModuleCommandText,

        // Other texts
        NetworkDeviceTitle = 209,
        FailedSuffix,
        SvlFileFilter,
        UntitledName,
        Reserved213,
        OfSeparator,
        StationListTitle,
        HdText,
        FilterLabel,
        AllOption,
        TerrestricOption,
        DvbcOption,
        DvbsOption,
        DvbtOption,
        ReceiveModeLabel,

        // Texts of features added after the fixed positions above, each
        // feature in a section of its own, the sections in this order.

        // Editing commands

        // Station settings dialog
        ChangeSettingsCommandText,
        EmptyStationNameMessage,
        NameCharactersRefusedMessage,
        StationNameTooLongMessage,
        NumberOutOfRangeMessage,

        // Search and output

        // TV exchange
        OpenBackupFolderAction,
        OpenBackupFolderTip,
        TvBackupAction,
        TvBackupTip,
        ExportDoneTitle,
        ExportDoneMessage,
        BackupKeptMessage,
        ReadingBackupMessage,
        WritingBackupMessage,
        NotExportedSuffix,

        // Desktop
        CommandLineDescription,
        CommandLineFileName,
        CommandLineFileHelp,
        LicenceNotice,

        // Reference order, duplicates and backups
        OrderLikeReferenceAction,
        OrderLikeReferenceTip,
        ReferenceFileTitle,
        ReferenceFileFilter,
        ReadingReferenceMessage,
        OrderLikeReferenceTitle,
        UnmatchedStationsQuestion,
        PutAtEndButton,
        DeleteThemButton,
        OrderResultMessage,
        OrderCommandText,
        KeepFileBackupAction,
        KeepFileBackupTip,
        KeepingBackupMessage,
        DuplicatesFilter,

        // Keyboard and accessibility
        MoveUpAction,
        MoveDownAction,
        MoveToTopAction,
        MoveToBottomAction,
        MoveToPositionAction,
        MoveUpTip,
        MoveDownTip,
        MoveToTopTip,
        MoveToBottomTip,
        MoveToPositionTip,
        MoveToPositionTitle,
        MoveToPositionLabel,
        AddToFavoriteListMenu,
        HevcWord,
        ChildLockWord,
        EncryptedWord,
        AnalogueWord,
        SatelliteWord,
        TerrestrialWord,
        CableWord,
        FavoriteWord,
        FavoriteTabsName,
        BaseTabsName,
        AddFavoriteListName,
        FileToolBarName,
        EditToolBarName,
        ViewToolBarName,
        PreviousMatchName,
        NextMatchName,

        // Keeping every edit
        UnappliedChangesTitle,
        UnappliedChangesQuestion,
        ApplyButton,
        ContinueWithoutButton,
        PrintErrorTitle,
        PrintingListMessage,
        ListNameTooLongMessage,
        NumberUnreadableMessage,

        TextCount
    };

    // Refills the table in id order from the source texts, translated through
    // the translators installed at this moment.
    static void load();

    // The text with the given id; an empty text for an id outside the table.
    static QString text(int id);

    // Rebuilds the table in the given language, and has Qt's own texts
    // follow it (in German where the system has Qt's German catalogue).
    // When our German catalogue cannot be loaded or installed, the table
    // and Qt's texts keep their previous language.
    static void setLanguage(int language);
};

#endif
