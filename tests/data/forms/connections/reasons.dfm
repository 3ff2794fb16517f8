object ReasonsForm: TReasonsForm
  object Go: TBasicAction
  end
  object Next: TBasicAction
  end
  object Box: TComponent
  end
  object Connections: TzelConnectionList
    object NoTarget: TzelE2PConnection
      Source = Go
      TargetProperty = 'Tag'
      ValueOptions = voConstant
    end
    object NoEvent: TzelE2PConnection
      Source = Go
      Target = Box
      TargetProperty = 'Caption'
      ValueOptions = voConstant
    end
    object NoProperty: TzelE2PConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      ValueOptions = voComponentProperty
    end
    object UnknownProperty: TzelE2PConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      TargetProperty = 'Caption'
      ValueOptions = voComponentProperty
    end
    object UnknownValueProperty: TzelE2PConnection
      Source = Go
      Target = Box
      ValueComponent = Next
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueComponentProperty = 'Tagg'
      ValueOptions = voComponentProperty
    end
    object NoValueProperty: TzelE2PConnection
      Source = Go
      Target = Box
      ValueComponent = Next
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueOptions = voComponentProperty
    end
    object NoEventParameter: TzelE2PConnection
      Source = Go
      Target = Box
      ValueComponent = Nowhere
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueOptions = voEventProperty
    end
    object FromParameter: TzelE2PConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      ValueEventParameter = 'Sender'
      ValueOptions = voEventProperty
    end
    object CallNoSource: TzelE2MConnection
      Target = Next
      SourceEvent = 'OnClick'
      TargetMethod = 'Execute'
    end
    object CallNoTarget: TzelE2MConnection
      Source = Go
      SourceEvent = 'OnClick'
    end
    object CallUnknownEvent: TzelE2MConnection
      Source = Go
      Target = Next
      SourceEvent = 'OnClick'
    end
    object CallNoMethod: TzelE2MConnection
      Source = Go
      Target = Next
      SourceEvent = 'OnExecute'
    end
    object CallLooseItems: TzelE2MConnection
      Source = Go
      Target = Box
      SourceEvent = 'OnExecute'
      TargetMethod = 'FindComponent'
      TargetMethodParameters = <
        item
          ParameterName = 'Name'
          Options = voComponentProperty
        end
        item
          ParameterName = 'AName'
          ComponentProperty = 'Tag'
          Options = voComponentProperty
        end
        item
          ParameterName = 'AName'
          EventParameter = 'Key'
          Options = voEventProperty
        end
        item
          ParameterName = 'AName'
          Options = voEventProperty
        end
        item
          ParameterName = 'AName'
          EventParameter = 'Sender'
          Options = voEventProperty
        end
        item
          ParameterName = 'AName'
          Component = Next
          ComponentProperty = 'Tag'
          Options = voComponentProperty
        end>
    end
    object CopyNoSource: TzelP2PConnection
      SourceProperty = 'Tagg'
      TargetProperty = 'Tagg'
    end
    object CopyNoTarget: TzelP2PConnection
      Source = Go
      Target = Nowhere
      SourceProperty = 'Tagg'
    end
    object CopyNoSourceProperty: TzelP2PConnection
      Source = Go
      Target = Box
      TargetProperty = 'Tagg'
    end
    object CopyUnknownSourceProperty: TzelP2PConnection
      Source = Go
      Target = Box
      SourceProperty = 'Tagg'
    end
    object CopyNoTargetProperty: TzelP2PConnection
      Source = Go
      Target = Box
      SourceProperty = 'Tag'
      TargetEvent = 'OnExecute'
    end
    object CopyIdleBack: TzelP2PConnection
      Source = Go
      Target = Box
      SourceProperty = 'Tag'
      SourceEvent = 'OnExecute'
      TargetProperty = 'Tag'
      TargetEvent = 'OnExecute'
    end
  end
end
