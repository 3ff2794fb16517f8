object MainForm: TMainForm
  object Go: TBasicAction
    Tag = 7
  end
  object Next: TBasicAction
  end
  object Counter: TComponent
    Tag = 1
  end
  object Mirror: TComponent
  end
  object Shadow: TComponent
  end
  object Connections: TzelConnectionList
    object SetCounter: TzelE2PConnection
      Source = Go
      Target = Counter
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueConstant = '42'
      ValueOptions = voConstant
      TargetPropertyIndexes = ()
    end
    object ThenNext: TzelE2MConnection
      Source = Go
      Target = Next
      SourceEvent = 'OnExecute'
      TargetMethod = 'Execute'
    end
    object CopyCounter: TzelE2PConnection
      Source = Next
      Target = Mirror
      ValueComponent = Counter
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueComponentProperty = 'Tag'
      ValueOptions = voComponentProperty
      TargetPropertyIndexes = ()
      ValueComponentPropertyIndexes = ()
    end
    object KeepInStep: TzelP2PConnection
      Source = Go
      Target = Shadow
      SourceProperty = 'Tag'
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      SourcePropertyIndexes = ()
      TargetPropertyIndexes = ()
    end
  end
end
